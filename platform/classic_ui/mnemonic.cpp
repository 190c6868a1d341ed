// Parses '&' mnemonics the way menus and buttons show them.
#include "platform/classic_ui/mnemonic.h"

#include "platform/classic_ui/windows1252.h"

namespace classicui {

MnemonicText ParseMnemonic(std::string_view text) {
    MnemonicText result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result.shown.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size()) break;
        if (text[i + 1] == '&') {
            result.shown.push_back('&');
            ++i;
            continue;
        }
        if (result.underline < 0) {
            result.underline = static_cast<int>(result.shown.size());
            result.key = LowerWindows1252(text[i + 1]);
        }
    }
    return result;
}

} // namespace classicui

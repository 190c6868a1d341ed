// Menu and control texts with '&' mnemonics: what is shown, what is underlined, which key.
#pragma once

#include <string>
#include <string_view>

namespace classicui {

struct MnemonicText {
    std::string shown;  // the text without the mnemonic marks; "&&" shows one '&'
    int underline = -1; // index in `shown` of the underlined character, -1 for none
    char key = 0;       // that character in lower case, 0 for none
};

// The first single '&' marks the mnemonic; a '&' at the very end shows nothing.
MnemonicText ParseMnemonic(std::string_view text);

} // namespace classicui

// Editing a single-line field: typing within the limit, deleting, moving the caret.
#include "platform/classic_ui/edit_field.h"

namespace classicui {

bool EditField::type(std::string_view cp1252) {
    if (caret > text.size()) caret = text.size();
    size_t room =
        text.size() < static_cast<size_t>(limit) ? static_cast<size_t>(limit) - text.size() : 0;
    size_t taken = cp1252.size() < room ? cp1252.size() : room;
    text.insert(caret, cp1252.substr(0, taken));
    caret += taken;
    return taken == cp1252.size();
}

void EditField::backspace() {
    if (caret == 0 || caret > text.size()) return;
    text.erase(caret - 1, 1);
    --caret;
}

void EditField::deleteForward() {
    if (caret < text.size()) text.erase(caret, 1);
}

void EditField::left() {
    if (caret > 0) --caret;
}

void EditField::right() {
    if (caret < text.size()) ++caret;
}

void EditField::caretToX(const BitmapFont& font, int x) {
    if (scroll > text.size()) scroll = text.size();
    int pen = 0;
    size_t i = scroll;
    for (; i < text.size(); ++i) {
        int w = font.advanceOf(static_cast<uint8_t>(text[i]));
        if (x < pen + w / 2) break;
        pen += w;
    }
    caret = i;
}

void EditField::scrollToCaret(const BitmapFont& font, int width) {
    if (caret > text.size()) caret = text.size();
    if (scroll > caret) scroll = caret;
    while (scroll < caret &&
           TextWidth(font, std::string_view(text).substr(scroll, caret - scroll)) >= width)
        ++scroll;
}

int EditField::caretX(const BitmapFont& font) const {
    if (scroll >= caret || caret > text.size()) return 0;
    return TextWidth(font, std::string_view(text).substr(scroll, caret - scroll));
}

} // namespace classicui

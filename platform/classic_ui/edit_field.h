// The text, caret and character limit of a single-line edit field.
#pragma once

#include <string>
#include <string_view>

#include "resources/bitmap_font.h"

namespace classicui {

struct EditField {
    std::string text;  // Windows-1252
    size_t caret = 0;  // insertion point, 0..text.size()
    size_t scroll = 0; // first character shown (ES_AUTOHSCROLL)
    int limit = 32767; // EM_LIMITTEXT; the default of a single-line edit field

    void setLimit(int maxChars) { limit = maxChars > 0 ? maxChars : 0x7FFFFFFE; }
    // Inserts at the caret as many characters as the limit allows; false when some were
    // refused (the field beeps).
    bool type(std::string_view cp1252);
    void backspace();
    void deleteForward();
    void left();
    void right();
    void home() { caret = 0; }
    void end() { caret = text.size(); }
    // Puts the caret at the character boundary nearest to x pixels from the text start.
    void caretToX(const BitmapFont& font, int x);
    // Keeps the caret inside a view `width` pixels wide.
    void scrollToCaret(const BitmapFont& font, int width);
    // The caret's x in pixels from the left of the view.
    int caretX(const BitmapFont& font) const;
};

} // namespace classicui

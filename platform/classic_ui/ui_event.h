// A backend-neutral input event for the drawn menu loop and dialogs; each backend fills it.
#pragma once

#include <string>

namespace classicui {

enum class UiKey {
    None, // any key without a meaning of its own here
    Escape,
    Tab,
    Return, // Enter on either keyboard
    Space,
    Backspace,
    Delete,
    Home,
    End,
    Left,
    Right,
    Up,
    Down,
    MenuKey, // Alt or F10: leaves the menu bar
    Char,    // a letter ('a'..'z') or digit ('0'..'9') in `ch`
};

struct UiEvent {
    enum class Kind { MouseDown, MouseUp, MouseMove, Key, Text };
    Kind kind = Kind::Key;
    int x = 0, y = 0;  // mouse, in window pixels
    bool left = true;  // mouse press or release: the left button
    UiKey key = UiKey::None;
    char ch = 0;
    bool shift = false, ctrl = false, alt = false;
    std::string text; // Text: typed characters in UTF-8
};

} // namespace classicui

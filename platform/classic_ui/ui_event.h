// The backend-neutral input event of the drawn window, its menu loop and dialogs; each drawn
// backend turns its own input into it.
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
    MenuKey, // F10: enters and leaves the menu bar
    Alt,     // the Alt key itself: alone, pressed and released, enters the menu bar
    Char,    // a letter ('a'..'z') or digit ('0'..'9') in `ch`
    // A gamepad's buttons (the standard layout); the D-pad and the left stick give the Pad
    // directions. Each place gives them the meaning of a key of its own: on the window A is
    // Enter and Start pauses; in the menu and the dialogs A is Space and B Escape; Back opens
    // the menu.
    PadA,
    PadB,
    PadBack,
    PadStart,
    PadUp,
    PadDown,
    PadLeft,
    PadRight,
};

// The arrow a Pad direction stands for; any other key as it is.
inline UiKey PadArrow(UiKey key) {
    switch (key) {
    case UiKey::PadUp:
        return UiKey::Up;
    case UiKey::PadDown:
        return UiKey::Down;
    case UiKey::PadLeft:
        return UiKey::Left;
    case UiKey::PadRight:
        return UiKey::Right;
    default:
        return key;
    }
}

struct UiEvent {
    enum class Kind {
        MouseDown,
        MouseUp,
        MouseMove,
        Key,   // a key went down (or repeats)
        KeyUp, // a key went up
        Text,
        Resize,    // the window changed size (x, y: the new client size, where the backend says it)
        Expose,    // the window must be drawn again
        FocusLost, // another window took the keyboard
        Close,     // the window's close box
        Quit,      // a request to end the program from outside (a signal)
        // What the player did in the menus and dialogs of a backend that shows them itself
        // (the web page's own elements):
        MenuOpened, // its menu opened at title `id`; the window waits until it closes
        Command,    // its menu closed with the item `id` chosen (0: none), or its open dialog
                    // or message box was given the command `id`
    };
    Kind kind = Kind::Key;
    int x = 0, y = 0;         // mouse, in window pixels (the menu and dialogs get interface pixels)
    bool left = true;         // mouse press or release: the left button
    bool doubleClick = false; // a press that is the second of a double click
    bool repeat = false;      // a key held down that repeats
    bool arriving = false;    // Tab: the keyboard comes onto the window from its neighbours
    UiKey key = UiKey::None;
    char ch = 0;
    int id = 0; // MenuOpened, Command
    bool shift = false, ctrl = false, alt = false;
    std::string text; // Text: typed characters in UTF-8
};

} // namespace classicui

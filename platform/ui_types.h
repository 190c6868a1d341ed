// Menus and dialog templates as plain data, shared by the shell and every backend.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// A command id the menus and dialogs use for "no id of its own".
constexpr int NoControlId = 65535;

struct MenuItem {
    int id;                // command id; 0 for a separator
    std::string_view text; // Windows-1252, with & marking the mnemonic
};

struct MenuPopup {
    std::string_view title;
    std::span<const MenuItem> items;
};

struct MenuBar {
    std::string_view name; // resource name, such as "MAINMENUENG"
    std::span<const MenuPopup> popups;
};

enum class ControlKind {
    PushButton,    // BS_PUSHBUTTON
    DefPushButton, // BS_DEFPUSHBUTTON
    CheckBox,      // BS_CHECKBOX: a click only notifies
    RadioButton,   // BS_RADIOBUTTON: a click only notifies
    GroupBox,      // BS_GROUPBOX
    Edit,          // bordered, WS_TABSTOP, ES_AUTOHSCROLL
    Label,         // static text, left aligned
};

struct DialogControl {
    ControlKind kind;
    int id;
    std::string_view text; // Windows-1252
    int x, y, cx, cy;      // dialog units
};

struct DialogTemplate {
    int resourceId;
    std::string_view caption; // Windows-1252
    int x, y, cx, cy;         // dialog units; font "Helv" 8 pt, base units 6 x 13
    std::span<const DialogControl> controls;
};

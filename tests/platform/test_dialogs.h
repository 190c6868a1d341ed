// Dialog templates shaped like the game's, shared by the headless and SDL backend tests.
#pragma once

#include <array>

#include "platform/ui_types.h"

namespace testdlg {

// The name dialog: its edit field and label share an id, the edit field first.
inline const std::array<DialogControl, 3> nameControls{{
    {ControlKind::Edit, 1001, "", 36, 7, 103, 12},
    {ControlKind::DefPushButton, 1, "OK", 22, 44, 40, 15},
    {ControlKind::Label, 1001, "Nom", 7, 8, 22, 8},
}};
inline const DialogTemplate nameDialog{1100, "Nom du Joueur", 40, 40, 150, 60, nameControls};

inline const std::array<DialogControl, 6> optionControls{{
    {ControlKind::DefPushButton, 1, "OK", 70, 140, 40, 15},
    {ControlKind::PushButton, 2, "Cancel", 120, 140, 70, 15},
    {ControlKind::CheckBox, 2001, "&Help screen during game.", 9, 7, 100, 10},
    {ControlKind::GroupBox, NoControlId, "Langue:", 7, 21, 86, 39},
    {ControlKind::RadioButton, 2101, "English", 13, 32, 37, 10},
    {ControlKind::RadioButton, 2103,
     "Fran\xE7"
     "ais",
     13, 45, 39, 10},
}};
inline const DialogTemplate optionsDialog{1151, "Options", 0, 0, 250, 170, optionControls};

// A notice without a default button.
inline const std::array<DialogControl, 2> noticeControls{{
    {ControlKind::Label, 1461, "Color of the element is not the", 10, 15, 140, 8},
    {ControlKind::PushButton, 1, "OK", 32, 44, 40, 15},
}};
inline const DialogTemplate noticeDialog{1461, "Wrong Color", 40, 40, 150, 60, noticeControls};

} // namespace testdlg

// The drawn modal dialogs and message boxes: their state, look and handling of input,
// for the backends that run the modal loop themselves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/edit_field.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/platform.h"

namespace platform {

// One open dialog: its template, the state of its controls, focus and the button held.
struct DialogHandle {
    struct Control {
        classicui::EditField edit; // the text of every control; edited only in edit fields
        bool checked = false;
    };
    const DialogTemplate* dialog = nullptr;
    const DialogProcedure* procedure = nullptr;
    std::vector<Control> controls;
    int focus = -1;
    int held = -1;           // control pressed with the mouse, -2 for the close box
    bool heldInside = false; // the pointer is still over it
    bool ended = false;
    int result = 0;
    std::string (*clipboardText)() = nullptr; // the clipboard's text in UTF-8, for Ctrl+V

    Control* find(int id, ControlKind* kind = nullptr);
    void command(int id) {
        if (!ended) (*procedure)(*this, DialogMessage::Command, id);
    }
    const DialogControl& control(int index) const {
        return dialog->controls[static_cast<size_t>(index)];
    }
};

} // namespace platform

namespace classicui {

// Fills the controls from the template and sends Init; afterwards, unless the procedure
// ended the dialog, focuses the first tab stop.
void OpenDialog(platform::DialogHandle& dialog, const DialogTemplate& t,
                const platform::DialogProcedure& procedure);
void DrawDialog(Surface& s, const platform::DialogHandle& dialog, const DialogGeometry& g);
// One input event for the dialog laid out as `g`.
void DialogInput(platform::DialogHandle& dialog, const UiEvent& event, const DialogGeometry& g);

// A message box's OK button and close box as the mouse holds them.
struct MessageBoxState {
    bool done = false;
    int held = -1; // 0: OK, 1: close box
    bool heldInside = false;
};
void DrawMessageBox(Surface& s, const MessageBoxLayout& m, std::string_view caption,
                    const MessageBoxState& state);
void MessageBoxInput(MessageBoxState& state, const UiEvent& event, const MessageBoxLayout& m);

} // namespace classicui

// Headless modal dialogs and message boxes: answered from the test's script and recorded.
#include <string>
#include <vector>

#include "platform/headless/headless_state.h"

using headless::detail::state;

namespace platform {

// One open dialog: the template, the state of each control, and how it ended.
struct DialogHandle {
    struct Control {
        std::string text; // Windows-1252
        bool checked = false;
        int limit = 32767; // the edit control's default limit
    };
    const DialogTemplate* dialog = nullptr;
    const DialogProcedure* procedure = nullptr;
    size_t record = 0; // index in the dialog records
    std::vector<Control> controls;
    bool ended = false;
    int result = 0;

    // The first control with this id in template order, as GetDlgItem finds it.
    Control* find(int id, ControlKind* kind = nullptr) {
        for (size_t i = 0; i < dialog->controls.size(); ++i) {
            if (dialog->controls[i].id == id) {
                if (kind != nullptr) *kind = dialog->controls[i].kind;
                return &controls[i];
            }
        }
        return nullptr;
    }

    void command(int id) {
        if (ended) return;
        state().dialogs[record].commands.push_back(id);
        (*procedure)(*this, DialogMessage::Command, id);
    }
};

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    auto& s = state();
    DialogHandle handle;
    handle.dialog = &dialog;
    handle.procedure = &procedure;
    for (const auto& control : dialog.controls) {
        DialogHandle::Control c;
        c.text = std::string(control.text);
        handle.controls.push_back(std::move(c));
    }
    handle.record = s.dialogs.size();
    s.dialogs.push_back({dialog.resourceId, {}, 0, false});

    procedure(handle, DialogMessage::Init, 0);
    if (!handle.ended && s.repaintPending && s.windowOpen) {
        // The modal loop keeps the owner painted.
        s.repaintPending = false;
        headless::detail::deliver({EventType::Paint, 0, 0, 0});
    }
    if (!handle.ended) {
        if (!s.answers.empty()) {
            headless::DialogAnswer answer = std::move(s.answers.front());
            s.answers.pop_front();
            answer(handle, dialog);
        } else {
            headless::PressEnter(handle);
        }
    }
    auto& record = s.dialogs[handle.record];
    if (!handle.ended) {
        handle.ended = true;
        handle.result = -1;
        record.forcedEnd = true;
    }
    record.result = handle.result;
    return handle.result;
}

void EndDialog(DialogHandle& dialog, int result) {
    if (dialog.ended) return;
    dialog.ended = true;
    dialog.result = result;
}

void SetCheck(DialogHandle& dialog, int controlId, bool checked) {
    ControlKind kind{};
    DialogHandle::Control* c = dialog.find(controlId, &kind);
    if (c != nullptr && (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton))
        c->checked = checked;
}

bool GetCheck(DialogHandle& dialog, int controlId) {
    ControlKind kind{};
    DialogHandle::Control* c = dialog.find(controlId, &kind);
    return c != nullptr && (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) &&
           c->checked;
}

void LimitText(DialogHandle& dialog, int controlId, int maxChars) {
    ControlKind kind{};
    DialogHandle::Control* c = dialog.find(controlId, &kind);
    if (c != nullptr && kind == ControlKind::Edit) c->limit = maxChars > 0 ? maxChars : 0x7FFFFFFE;
}

std::string GetControlText(DialogHandle& dialog, int controlId, int maxCount) {
    DialogHandle::Control* c = dialog.find(controlId);
    if (c == nullptr || maxCount <= 0) return {};
    size_t most = static_cast<size_t>(maxCount) - 1;
    return c->text.substr(0, most < c->text.size() ? most : c->text.size());
}

void ShowMessage(std::string_view text, std::string_view caption) {
    state().messages.push_back({std::string(text), std::string(caption)});
}

} // namespace platform

namespace headless {

void ScriptDialog(DialogAnswer answer) {
    state().answers.push_back(std::move(answer));
}
size_t ScriptedDialogsLeft() {
    return state().answers.size();
}

void TypeText(platform::DialogHandle& dialog, int controlId, std::string_view text) {
    ControlKind kind{};
    auto* c = dialog.find(controlId, &kind);
    if (dialog.ended || c == nullptr || kind != ControlKind::Edit) return;
    for (char ch : text) {
        if (c->text.size() >= static_cast<size_t>(c->limit)) break; // the edit control beeps
        c->text.push_back(ch);
    }
}

void ClearText(platform::DialogHandle& dialog, int controlId) {
    ControlKind kind{};
    auto* c = dialog.find(controlId, &kind);
    if (!dialog.ended && c != nullptr && kind == ControlKind::Edit) c->text.clear();
}

void ClickControl(platform::DialogHandle& dialog, int controlId) {
    ControlKind kind{};
    if (dialog.find(controlId, &kind) == nullptr) return;
    if (kind == ControlKind::PushButton || kind == ControlKind::DefPushButton ||
        kind == ControlKind::CheckBox || kind == ControlKind::RadioButton)
        dialog.command(controlId);
}

void PressEnter(platform::DialogHandle& dialog) {
    int id = 1; // IDOK
    for (const auto& control : dialog.dialog->controls) {
        if (control.kind == ControlKind::DefPushButton) {
            id = control.id;
            break;
        }
    }
    dialog.command(id);
}

void PressEscape(platform::DialogHandle& dialog) {
    dialog.command(2);
}

bool IsChecked(platform::DialogHandle& dialog, int controlId) {
    return platform::GetCheck(dialog, controlId);
}

std::string ControlText(platform::DialogHandle& dialog, int controlId) {
    auto* c = dialog.find(controlId);
    return c != nullptr ? c->text : std::string();
}

bool DialogEnded(platform::DialogHandle& dialog) {
    return dialog.ended;
}

DialogAnswer Click(int controlId) {
    return [controlId](platform::DialogHandle& dialog, const DialogTemplate&) {
        ClickControl(dialog, controlId);
    };
}

DialogAnswer TypeThenClick(int editId, std::string text, int buttonId) {
    return [editId, text = std::move(text), buttonId](platform::DialogHandle& dialog,
                                                      const DialogTemplate&) {
        TypeText(dialog, editId, text);
        ClickControl(dialog, buttonId);
    };
}

const std::vector<DialogRecord>& Dialogs() {
    return state().dialogs;
}
const std::vector<MessageRecord>& Messages() {
    return state().messages;
}

} // namespace headless

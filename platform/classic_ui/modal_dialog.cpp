// The drawn modal dialogs and message boxes: their look and how they take input.
#include "platform/classic_ui/modal_dialog.h"

#include <algorithm>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/windows1252.h"
#include "resources/resources.h"

namespace platform {

DialogHandle::Control* DialogHandle::find(int id, ControlKind* kind) {
    for (size_t i = 0; i < dialog->controls.size(); ++i) {
        if (dialog->controls[i].id == id) {
            if (kind != nullptr) *kind = dialog->controls[i].kind;
            return &controls[i];
        }
    }
    return nullptr;
}

} // namespace platform

namespace classicui {

using platform::DialogHandle;

namespace {

const BitmapFont& font() {
    return EmbeddedFont(DialogFontId);
}
int lineHeight() {
    return font().valid() ? font().cellHeight : 13;
}

void drawFrame(Surface& s, const DialogGeometry& g, std::string_view caption, bool closeHeld) {
    FillRect(s, g.outer, Face);
    RaisedFrame(s, g.outer);
    FillRect(s, g.caption, Selection);
    DrawBoldText(s, font(), g.caption.x + 3, g.caption.y + (g.caption.h - lineHeight()) / 2,
                 caption, SelectionText);
    CloseButtonGlyph(s, g.closeBox.x, g.closeBox.y, closeHeld);
}

void drawButton(Surface& s, Rect r, const MnemonicText& text, bool isDefault, bool pressed,
                bool focused) {
    FillRect(s, r, Face);
    if (isDefault) {
        Frame(s, r, DarkShadow, DarkShadow);
        r = r.inset(1);
    }
    if (pressed)
        PressedFrame(s, r);
    else
        RaisedFrame(s, r);
    int shift = pressed ? 1 : 0;
    int tx = r.x + (r.w - TextWidth(font(), text.shown)) / 2 + shift;
    int ty = r.y + (r.h - lineHeight()) / 2 + shift;
    DrawText(s, font(), tx, ty, text, Text);
    if (focused) FocusRect(s, r.inset(3));
}

// Text clipped to a rectangle: drawn into a scratch picture of the rectangle's size.
void drawClipped(Surface& s, Rect clip, int x, int y, std::string_view text, uint32_t color,
                 uint32_t background) {
    if (clip.w <= 0 || clip.h <= 0) return;
    Surface scratch(clip.w, clip.h, background);
    DrawGlyphs(scratch, font(), x - clip.x, y - clip.y, text, color);
    for (int j = 0; j < clip.h; ++j)
        for (int i = 0; i < clip.w; ++i) {
            int px = clip.x + i, py = clip.y + j;
            if (px >= 0 && py >= 0 && px < s.width && py < s.height)
                s.at(px, py) = scratch.at(i, j);
        }
}

} // namespace

void DrawDialog(Surface& s, const DialogHandle& d, const DialogGeometry& g) {
    drawFrame(s, g, d.dialog->caption, d.held == -2 && d.heldInside);
    int defaultButton = DefaultButton(*d.dialog, d.focus);
    for (size_t i = 0; i < d.dialog->controls.size(); ++i) {
        const DialogControl& c = d.dialog->controls[i];
        const auto& state = d.controls[i];
        Rect r = g.controls[i];
        int index = static_cast<int>(i);
        bool focused = d.focus == index;
        MnemonicText text = ParseMnemonic(state.edit.text);
        int ty = r.y + (r.h - lineHeight()) / 2;
        switch (c.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton:
            drawButton(s, r, text, defaultButton == index, d.held == index && d.heldInside,
                       focused);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            int box = c.kind == ControlKind::CheckBox ? 13 : 12;
            int by = r.y + (r.h - box) / 2;
            if (c.kind == ControlKind::CheckBox)
                CheckBoxGlyph(s, r.x, by, state.checked);
            else
                RadioGlyph(s, r.x, by, state.checked);
            int tx = r.x + box + 4;
            DrawText(s, font(), tx, ty, text, Text);
            if (focused)
                FocusRect(s, {tx - 1, ty, TextWidth(font(), text.shown) + 3, lineHeight() + 1});
            break;
        }
        case ControlKind::GroupBox: {
            int top = r.y + lineHeight() / 2;
            EtchedFrame(s, {r.x, top, r.w, r.h - (top - r.y)});
            int tw = TextWidth(font(), text.shown);
            if (tw > 0) {
                FillRect(s, {r.x + 6, r.y, tw + 4, lineHeight()}, Face);
                DrawText(s, font(), r.x + 8, r.y, text, Text);
            }
            break;
        }
        case ControlKind::Edit: {
            FillRect(s, r, Window);
            SunkenFrame(s, r);
            Rect inner = r.inset(2);
            const EditField& e = state.edit;
            std::string_view shown = std::string_view(e.text).substr(
                e.scroll < e.text.size() ? e.scroll : e.text.size());
            int tx = inner.x + 1;
            int tyEdit = inner.y + (inner.h - lineHeight()) / 2;
            drawClipped(s, inner, tx, tyEdit, shown, Text, Window);
            if (focused) {
                int cx = tx + e.caretX(font());
                if (cx < inner.x + inner.w)
                    VLine(s, cx, std::max(tyEdit, inner.y), std::min(lineHeight(), inner.h), Text);
            }
            break;
        }
        case ControlKind::Label: {
            auto lines = WrapText(font(), text.shown, r.w);
            int y = r.y;
            Rect clip{r.x, r.y, r.w, std::max(r.h, lineHeight())};
            for (size_t k = 0; k < lines.size(); ++k, y += lineHeight()) {
                if (k == 0 && text.underline >= 0 && lines.size() == 1) {
                    DrawText(s, font(), r.x, y, text, Text);
                } else if (y < clip.y + clip.h) {
                    DrawGlyphs(s, font(), r.x, y, lines[k], Text);
                }
            }
            break;
        }
        }
    }
}

namespace {

bool isButtonKind(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

void focusControl(DialogHandle& d, int index) {
    if (index < 0) return;
    d.focus = index;
    if (d.control(index).kind == ControlKind::Edit) {
        auto& e = d.controls[static_cast<size_t>(index)].edit;
        e.caret = e.text.size(); // a field reached with Tab shows its whole text selected
    }
}

void keepCaretVisible(DialogHandle& d, const DialogGeometry& g) {
    if (d.focus < 0 || d.control(d.focus).kind != ControlKind::Edit) return;
    auto& e = d.controls[static_cast<size_t>(d.focus)].edit;
    e.scrollToCaret(font(), g.controls[static_cast<size_t>(d.focus)].w - 6);
}

// A gamepad's button as a dialog's key: A presses the control in focus as Space does (in an
// edit field, where Space types, it presses the default button as Enter does), B is Escape,
// and the pad's up and down move the focus as Shift+Tab and Tab do, also out of an edit field.
UiEvent padInDialog(UiEvent key, bool inEdit) {
    switch (key.key) {
    case UiKey::PadA:
        key.key = inEdit ? UiKey::Return : UiKey::Space;
        break;
    case UiKey::PadB:
        key.key = UiKey::Escape;
        break;
    case UiKey::PadUp:
    case UiKey::PadDown:
        key.shift = key.key == UiKey::PadUp;
        key.key = UiKey::Tab;
        break;
    case UiKey::PadBack:
    case UiKey::PadStart:
        key.key = UiKey::None;
        break;
    default:
        key.key = PadArrow(key.key);
        break;
    }
    return key;
}

// A key press in a dialog.
void dialogKey(DialogHandle& d, const UiEvent& pressed) {
    bool inEdit = d.focus >= 0 && d.control(d.focus).kind == ControlKind::Edit;
    EditField* edit = inEdit ? &d.controls[static_cast<size_t>(d.focus)].edit : nullptr;
    const UiEvent key = padInDialog(pressed, inEdit);
    switch (key.key) {
    case UiKey::Tab:
        focusControl(d, NextTabStop(*d.dialog, d.focus, key.shift));
        return;
    case UiKey::Return:
        d.command(EnterCommand(*d.dialog, d.focus));
        return;
    case UiKey::Escape:
        d.command(2);
        return; // IDCANCEL, with or without such a button
    case UiKey::Space:
        if (!inEdit && d.focus >= 0 && isButtonKind(d.control(d.focus).kind))
            d.command(d.control(d.focus).id);
        return;
    case UiKey::Backspace:
        if (edit) edit->backspace();
        return;
    case UiKey::Delete:
        if (edit) edit->deleteForward();
        return;
    case UiKey::Home:
        if (edit) edit->home();
        return;
    case UiKey::End:
        if (edit) edit->end();
        return;
    case UiKey::Left:
    case UiKey::Up:
        if (edit && key.key == UiKey::Left)
            edit->left();
        else if (!edit)
            focusControl(d, NextTabStop(*d.dialog, d.focus, true));
        return;
    case UiKey::Right:
    case UiKey::Down:
        if (edit && key.key == UiKey::Right)
            edit->right();
        else if (!edit)
            focusControl(d, NextTabStop(*d.dialog, d.focus, false));
        return;
    default:
        break;
    }
    // Ctrl+V pastes the clipboard's first line, as far as the limit allows.
    if (edit != nullptr && key.key == UiKey::Char && key.ch == 'v' && key.ctrl) {
        if (d.clipboardText != nullptr) {
            std::string clip = d.clipboardText();
            std::string_view text(clip);
            text = text.substr(0, text.find_first_of("\r\n"));
            edit->type(Utf8ToWindows1252(text));
        }
        return;
    }
    // Alt and a mnemonic letter, or the letter alone outside an edit field, clicks a control.
    if (key.alt || !inEdit) {
        char k = 0;
        if (key.key == UiKey::Char && key.ch >= 'a' && key.ch <= 'z') k = key.ch;
        int index = MnemonicControl(*d.dialog, k);
        if (index >= 0) {
            focusControl(d, index);
            d.command(d.control(index).id);
        }
    }
}

void dialogMouse(DialogHandle& d, const UiEvent& e, const DialogGeometry& g) {
    if (e.kind == UiEvent::Kind::MouseDown && e.left) {
        int x = e.x, y = e.y;
        if (g.closeBox.contains(x, y)) {
            d.held = -2;
            d.heldInside = true;
            return;
        }
        int index = HitControl(*d.dialog, g, x, y);
        if (index < 0) return;
        d.focus = index;
        if (d.control(index).kind == ControlKind::Edit) {
            auto& edit = d.controls[static_cast<size_t>(index)].edit;
            edit.caretToX(font(), x - (g.controls[static_cast<size_t>(index)].x + 3));
        } else {
            d.held = index;
            d.heldInside = true;
        }
    } else if (e.kind == UiEvent::Kind::MouseMove && d.held != -1) {
        Rect r = d.held == -2 ? g.closeBox : g.controls[static_cast<size_t>(d.held)];
        d.heldInside = r.contains(e.x, e.y);
    } else if (e.kind == UiEvent::Kind::MouseUp && e.left && d.held != -1) {
        int held = d.held;
        Rect r = held == -2 ? g.closeBox : g.controls[static_cast<size_t>(held)];
        d.held = -1;
        if (!r.contains(e.x, e.y)) return;
        d.command(held == -2 ? 2 : d.control(held).id);
    }
}

} // namespace

void OpenDialog(DialogHandle& d, const DialogTemplate& dialog,
                const platform::DialogProcedure& procedure) {
    d.dialog = &dialog;
    d.procedure = &procedure;
    for (const auto& c : dialog.controls) {
        DialogHandle::Control control;
        control.edit.text = std::string(c.text);
        control.edit.caret = control.edit.text.size();
        d.controls.push_back(std::move(control));
    }
    procedure(d, platform::DialogMessage::Init, 0);
    if (d.ended) return;
    std::vector<int> order = TabOrder(dialog);
    if (!order.empty()) focusControl(d, order.front());
}

void DialogInput(DialogHandle& d, const UiEvent& e, const DialogGeometry& g) {
    switch (e.kind) {
    case UiEvent::Kind::Key:
        dialogKey(d, e);
        break;
    case UiEvent::Kind::Text:
        if (d.focus >= 0 && d.control(d.focus).kind == ControlKind::Edit)
            d.controls[static_cast<size_t>(d.focus)].edit.type(Utf8ToWindows1252(e.text));
        break;
    default:
        dialogMouse(d, e, g);
        break;
    }
    keepCaretVisible(d, g);
}

void DrawMessageBox(Surface& s, const MessageBoxLayout& m, std::string_view caption,
                    const MessageBoxState& state) {
    drawFrame(s, m.frame, caption, state.held == 1 && state.heldInside);
    int y = m.textOrigin.y;
    for (const auto& line : m.lines) {
        DrawGlyphs(s, font(), m.textOrigin.x, y, line, Text);
        y += lineHeight();
    }
    drawButton(s, m.okButton, ParseMnemonic("OK"), true, state.held == 0 && state.heldInside, true);
}

void MessageBoxInput(MessageBoxState& st, const UiEvent& e, const MessageBoxLayout& m) {
    if (e.kind == UiEvent::Kind::Key) {
        if (e.key == UiKey::Return || e.key == UiKey::Escape || e.key == UiKey::Space ||
            e.key == UiKey::PadA || e.key == UiKey::PadB)
            st.done = true;
    } else if (e.kind == UiEvent::Kind::MouseDown && e.left) {
        if (m.okButton.contains(e.x, e.y)) st.held = 0;
        if (m.frame.closeBox.contains(e.x, e.y)) st.held = 1;
        st.heldInside = st.held >= 0;
    } else if (e.kind == UiEvent::Kind::MouseMove && st.held >= 0) {
        st.heldInside = (st.held == 0 ? m.okButton : m.frame.closeBox).contains(e.x, e.y);
    } else if (e.kind == UiEvent::Kind::MouseUp && st.held >= 0) {
        Rect r = st.held == 0 ? m.okButton : m.frame.closeBox;
        st.held = -1;
        if (r.contains(e.x, e.y)) st.done = true;
    }
}

} // namespace classicui

namespace platform {

void EndDialog(DialogHandle& dialog, int result) {
    if (dialog.ended) return;
    dialog.ended = true;
    dialog.result = result;
}

void SetCheck(DialogHandle& dialog, int controlId, bool checked) {
    ControlKind kind{};
    auto* c = dialog.find(controlId, &kind);
    if (c != nullptr && (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton))
        c->checked = checked;
}

bool GetCheck(DialogHandle& dialog, int controlId) {
    ControlKind kind{};
    auto* c = dialog.find(controlId, &kind);
    return c != nullptr && (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) &&
           c->checked;
}

void LimitText(DialogHandle& dialog, int controlId, int maxChars) {
    ControlKind kind{};
    auto* c = dialog.find(controlId, &kind);
    if (c != nullptr && kind == ControlKind::Edit) c->edit.setLimit(maxChars);
}

std::string GetControlText(DialogHandle& dialog, int controlId, int maxCount) {
    auto* c = dialog.find(controlId);
    if (c == nullptr || maxCount <= 0) return {};
    size_t most = static_cast<size_t>(maxCount) - 1;
    return c->edit.text.substr(0, most < c->edit.text.size() ? most : c->edit.text.size());
}

} // namespace platform

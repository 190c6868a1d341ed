// Modal dialogs and message boxes drawn over the main window in the classic look.
#include <string>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/dialog_layout.h"
#include "platform/classic_ui/edit_field.h"
#include "platform/sdl/sdl_state.h"
#include "platform/classic_ui/windows1252.h"

using sdlbackend::backend;

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
        if (!ended) (*procedure)(*this, DialogMessage::Command, id);
    }
    const DialogControl& control(int index) const {
        return dialog->controls[static_cast<size_t>(index)];
    }
};

} // namespace platform

namespace {

using platform::DialogHandle;

const BitmapFont& font() {
    return EmbeddedFont(DialogFontId);
}
int lineHeight() {
    return font().valid() ? font().cellHeight : 13;
}

void drawFrame(Surface& s, const classicui::DialogGeometry& g, std::string_view caption,
               bool closeHeld) {
    classicui::FillRect(s, g.outer, classicui::Face);
    classicui::RaisedFrame(s, g.outer);
    classicui::FillRect(s, g.caption, classicui::Selection);
    classicui::DrawBoldText(s, font(), g.caption.x + 3, g.caption.y + (g.caption.h - lineHeight()) / 2,
                        caption, classicui::SelectionText);
    classicui::CloseButtonGlyph(s, g.closeBox.x, g.closeBox.y, closeHeld);
}

void drawButton(Surface& s, classicui::Rect r, const classicui::MnemonicText& text, bool isDefault,
                bool pressed, bool focused) {
    classicui::FillRect(s, r, classicui::Face);
    if (isDefault) {
        classicui::Frame(s, r, classicui::DarkShadow, classicui::DarkShadow);
        r = r.inset(1);
    }
    if (pressed)
        classicui::PressedFrame(s, r);
    else
        classicui::RaisedFrame(s, r);
    int shift = pressed ? 1 : 0;
    int tx = r.x + (r.w - TextWidth(font(), text.shown)) / 2 + shift;
    int ty = r.y + (r.h - lineHeight()) / 2 + shift;
    classicui::DrawText(s, font(), tx, ty, text, classicui::Text);
    if (focused) classicui::FocusRect(s, r.inset(3));
}

// Text clipped to a rectangle: drawn into a scratch picture of the rectangle's size.
void drawClipped(Surface& s, classicui::Rect clip, int x, int y, std::string_view text, uint32_t color,
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

void drawDialog(Surface& s, const DialogHandle& d, const classicui::DialogGeometry& g) {
    drawFrame(s, g, d.dialog->caption, d.held == -2 && d.heldInside);
    int defaultButton = classicui::DefaultButton(*d.dialog, d.focus);
    for (size_t i = 0; i < d.dialog->controls.size(); ++i) {
        const DialogControl& c = d.dialog->controls[i];
        const auto& state = d.controls[i];
        classicui::Rect r = g.controls[i];
        int index = static_cast<int>(i);
        bool focused = d.focus == index;
        classicui::MnemonicText text = classicui::ParseMnemonic(state.edit.text);
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
                classicui::CheckBoxGlyph(s, r.x, by, state.checked);
            else
                classicui::RadioGlyph(s, r.x, by, state.checked);
            int tx = r.x + box + 4;
            classicui::DrawText(s, font(), tx, ty, text, classicui::Text);
            if (focused)
                classicui::FocusRect(s,
                                 {tx - 1, ty, TextWidth(font(), text.shown) + 3, lineHeight() + 1});
            break;
        }
        case ControlKind::GroupBox: {
            int top = r.y + lineHeight() / 2;
            classicui::EtchedFrame(s, {r.x, top, r.w, r.h - (top - r.y)});
            int tw = TextWidth(font(), text.shown);
            if (tw > 0) {
                classicui::FillRect(s, {r.x + 6, r.y, tw + 4, lineHeight()}, classicui::Face);
                classicui::DrawText(s, font(), r.x + 8, r.y, text, classicui::Text);
            }
            break;
        }
        case ControlKind::Edit: {
            classicui::FillRect(s, r, classicui::Window);
            classicui::SunkenFrame(s, r);
            classicui::Rect inner = r.inset(2);
            const classicui::EditField& e = state.edit;
            std::string_view shown = std::string_view(e.text).substr(
                e.scroll < e.text.size() ? e.scroll : e.text.size());
            int tx = inner.x + 1;
            int tyEdit = inner.y + (inner.h - lineHeight()) / 2;
            drawClipped(s, inner, tx, tyEdit, shown, classicui::Text, classicui::Window);
            if (focused) {
                int cx = tx + e.caretX(font());
                if (cx < inner.x + inner.w)
                    classicui::VLine(s, cx, std::max(tyEdit, inner.y), std::min(lineHeight(), inner.h),
                                 classicui::Text);
            }
            break;
        }
        case ControlKind::Label: {
            auto lines = classicui::WrapText(font(), text.shown, r.w);
            int y = r.y;
            classicui::Rect clip{r.x, r.y, r.w, std::max(r.h, lineHeight())};
            for (size_t k = 0; k < lines.size(); ++k, y += lineHeight()) {
                if (k == 0 && text.underline >= 0 && lines.size() == 1) {
                    classicui::DrawText(s, font(), r.x, y, text, classicui::Text);
                } else if (y < clip.y + clip.h) {
                    DrawGlyphs(s, font(), r.x, y, lines[k], classicui::Text);
                }
            }
            break;
        }
        }
    }
}

bool isButtonKind(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

classicui::DialogGeometry geometryOf(const DialogTemplate& t) {
    return classicui::LayoutDialog(t, sdlbackend::clientArea(), sdlbackend::windowArea());
}

void focusControl(DialogHandle& d, int index) {
    if (index < 0) return;
    d.focus = index;
    if (d.control(index).kind == ControlKind::Edit) {
        auto& e = d.controls[static_cast<size_t>(index)].edit;
        e.caret = e.text.size(); // a field reached with Tab shows its whole text selected
    }
}

void keepCaretVisible(DialogHandle& d, const classicui::DialogGeometry& g) {
    if (d.focus < 0 || d.control(d.focus).kind != ControlKind::Edit) return;
    auto& e = d.controls[static_cast<size_t>(d.focus)].edit;
    e.scrollToCaret(font(), g.controls[static_cast<size_t>(d.focus)].w - 6);
}

// A key press in a dialog.
void dialogKey(DialogHandle& d, const SDL_Keysym& key) {
    bool inEdit = d.focus >= 0 && d.control(d.focus).kind == ControlKind::Edit;
    classicui::EditField* edit = inEdit ? &d.controls[static_cast<size_t>(d.focus)].edit : nullptr;
    switch (key.sym) {
    case SDLK_TAB:
        focusControl(d, classicui::NextTabStop(*d.dialog, d.focus, (key.mod & KMOD_SHIFT) != 0));
        return;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        d.command(classicui::EnterCommand(*d.dialog, d.focus));
        return;
    case SDLK_ESCAPE:
        d.command(2);
        return; // IDCANCEL, with or without such a button
    case SDLK_SPACE:
        if (!inEdit && d.focus >= 0 && isButtonKind(d.control(d.focus).kind))
            d.command(d.control(d.focus).id);
        return;
    case SDLK_BACKSPACE:
        if (edit) edit->backspace();
        return;
    case SDLK_DELETE:
        if (edit) edit->deleteForward();
        return;
    case SDLK_HOME:
        if (edit) edit->home();
        return;
    case SDLK_END:
        if (edit) edit->end();
        return;
    case SDLK_LEFT:
    case SDLK_UP:
        if (edit && key.sym == SDLK_LEFT)
            edit->left();
        else if (!edit)
            focusControl(d, classicui::NextTabStop(*d.dialog, d.focus, true));
        return;
    case SDLK_RIGHT:
    case SDLK_DOWN:
        if (edit && key.sym == SDLK_RIGHT)
            edit->right();
        else if (!edit)
            focusControl(d, classicui::NextTabStop(*d.dialog, d.focus, false));
        return;
    default:
        break;
    }
    // Ctrl+V pastes the clipboard's first line, as far as the limit allows.
    if (edit != nullptr && key.sym == SDLK_v && (key.mod & KMOD_CTRL) != 0) {
        char* clip = SDL_GetClipboardText();
        if (clip != nullptr) {
            std::string_view text(clip);
            text = text.substr(0, text.find_first_of("\r\n"));
            edit->type(classicui::Utf8ToWindows1252(text));
            SDL_free(clip);
        }
        return;
    }
    // Alt and a mnemonic letter, or the letter alone outside an edit field, clicks a control.
    if ((key.mod & KMOD_ALT) != 0 || !inEdit) {
        char k = 0;
        if (key.sym >= SDLK_a && key.sym <= SDLK_z) k = static_cast<char>(key.sym);
        int index = classicui::MnemonicControl(*d.dialog, k);
        if (index >= 0) {
            focusControl(d, index);
            d.command(d.control(index).id);
        }
    }
}

void dialogMouse(DialogHandle& d, const SDL_Event& e, const classicui::DialogGeometry& g) {
    if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        int x = e.button.x, y = e.button.y;
        if (g.closeBox.contains(x, y)) {
            d.held = -2;
            d.heldInside = true;
            return;
        }
        int index = classicui::HitControl(*d.dialog, g, x, y);
        if (index < 0) return;
        d.focus = index;
        if (d.control(index).kind == ControlKind::Edit) {
            auto& edit = d.controls[static_cast<size_t>(index)].edit;
            edit.caretToX(font(), x - (g.controls[static_cast<size_t>(index)].x + 3));
        } else {
            d.held = index;
            d.heldInside = true;
        }
    } else if (e.type == SDL_MOUSEMOTION && d.held != -1) {
        classicui::Rect r = d.held == -2 ? g.closeBox : g.controls[static_cast<size_t>(d.held)];
        d.heldInside = r.contains(e.motion.x, e.motion.y);
    } else if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT && d.held != -1) {
        int held = d.held;
        classicui::Rect r = held == -2 ? g.closeBox : g.controls[static_cast<size_t>(held)];
        d.held = -1;
        if (!r.contains(e.button.x, e.button.y)) return;
        d.command(held == -2 ? 2 : d.control(held).id);
    }
}

// Runs a modal loop until `done` says so; `handle` gets every event that is not the main
// window's. The window's close box acts as the dialog's own close box (`closeBox`), as the
// owner's close box is out of reach while a Windows dialog is up. A request to end the
// program (a signal) closes the dialog the same way and reaches the window afterwards.
template <typename Done, typename Handle, typename CloseBox>
void modalLoop(Done done, Handle handle, CloseBox closeBox) {
    auto& b = backend();
    SDL_Event e;
    while (!done() && b.windowOpen) {
        if (!sdlbackend::nextModalEvent(e)) break;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE) {
            b.closeBoxSeen = true; // SDL_QUIT follows it: that one is not a signal
            closeBox();
        } else if (e.type == SDL_QUIT) {
            if (!b.closeBoxSeen) {
                b.quitAfterModal = true;
                closeBox();
            }
            b.closeBoxSeen = false;
        } else if (!sdlbackend::handleWindowEvent(e, true)) {
            handle(e);
        }
        b.frameDirty = true;
    }
    if (b.quitAfterModal) {
        b.quitAfterModal = false;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

} // namespace

namespace platform {

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    auto& b = backend();
    DialogHandle d;
    d.dialog = &dialog;
    d.procedure = &procedure;
    for (const auto& c : dialog.controls) {
        DialogHandle::Control control;
        control.edit.text = std::string(c.text);
        control.edit.caret = control.edit.text.size();
        d.controls.push_back(std::move(control));
    }
    procedure(d, DialogMessage::Init, 0);
    if (d.ended || !b.windowOpen) return d.result;
    std::vector<int> order = classicui::TabOrder(dialog);
    if (!order.empty()) focusControl(d, order.front());

    size_t overlay = b.overlays.size();
    b.overlays.emplace_back([&d](Surface& s) { drawDialog(s, d, geometryOf(*d.dialog)); });
    b.frameDirty = true;
    SDL_StartTextInput();
    modalLoop([&] { return d.ended; },
              [&](const SDL_Event& e) {
                  classicui::DialogGeometry g = geometryOf(dialog);
                  switch (e.type) {
                  case SDL_KEYDOWN:
                      dialogKey(d, e.key.keysym);
                      break;
                  case SDL_TEXTINPUT:
                      if (d.focus >= 0 && d.control(d.focus).kind == ControlKind::Edit)
                          d.controls[static_cast<size_t>(d.focus)].edit.type(
                              classicui::Utf8ToWindows1252(e.text.text));
                      break;
                  default:
                      dialogMouse(d, e, g);
                      break;
                  }
                  keepCaretVisible(d, g);
              },
              [&] { d.command(2); });
    b.overlays.resize(overlay);
    b.frameDirty = true;
    if (!d.ended) d.result = -1; // the window went away under the dialog
    return d.result;
}

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
    backend().frameDirty = true;
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

void ShowMessage(std::string_view text, std::string_view caption) {
    auto& b = backend();
    if (!b.windowOpen) {
        // Without the window there is nowhere to draw; say it where a user may see it.
        std::string t(text), c(caption);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c.c_str(), t.c_str(), nullptr);
        return;
    }
    bool done = false;
    int held = -1; // 0: OK, 1: close box
    bool heldInside = false;
    auto layout = [&] {
        return classicui::LayoutMessageBox(font(), text, caption, sdlbackend::clientArea(),
                                       sdlbackend::windowArea());
    };
    size_t overlay = b.overlays.size();
    b.overlays.emplace_back([&](Surface& s) {
        classicui::MessageBoxLayout m = layout();
        drawFrame(s, m.frame, caption, held == 1 && heldInside);
        int y = m.textOrigin.y;
        for (const auto& line : m.lines) {
            DrawGlyphs(s, font(), m.textOrigin.x, y, line, classicui::Text);
            y += lineHeight();
        }
        drawButton(s, m.okButton, classicui::ParseMnemonic("OK"), true, held == 0 && heldInside, true);
    });
    b.frameDirty = true;
    modalLoop(
        [&] { return done; },
        [&](const SDL_Event& e) {
            classicui::MessageBoxLayout m = layout();
            if (e.type == SDL_KEYDOWN) {
                SDL_Keycode k = e.key.keysym.sym;
                if (k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_ESCAPE || k == SDLK_SPACE)
                    done = true;
            } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
                if (m.okButton.contains(e.button.x, e.button.y)) held = 0;
                if (m.frame.closeBox.contains(e.button.x, e.button.y)) held = 1;
                heldInside = held >= 0;
            } else if (e.type == SDL_MOUSEMOTION && held >= 0) {
                heldInside =
                    (held == 0 ? m.okButton : m.frame.closeBox).contains(e.motion.x, e.motion.y);
            } else if (e.type == SDL_MOUSEBUTTONUP && held >= 0) {
                classicui::Rect r = held == 0 ? m.okButton : m.frame.closeBox;
                held = -1;
                if (r.contains(e.button.x, e.button.y)) done = true;
            }
        },
        [&] { done = true; });
    b.overlays.resize(overlay);
    b.frameDirty = true;
}

} // namespace platform

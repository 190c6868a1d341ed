// The drawn modal dialogs and message boxes over the main window, run on SDL's events.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/classic_ui/modal_dialog.h"
#include "platform/sdl/sdl_state.h"

using sdlbackend::backend;

namespace {

using platform::DialogHandle;

const BitmapFont& font() {
    return EmbeddedFont(DialogFontId);
}

classicui::DialogGeometry geometryOf(const DialogTemplate& t) {
    return classicui::LayoutDialog(t, sdlbackend::uiClientArea(), sdlbackend::uiWindowArea());
}

std::string clipboardText() {
    std::string text;
    char* clip = SDL_GetClipboardText();
    if (clip != nullptr) {
        text = clip;
        SDL_free(clip);
    }
    return text;
}

// Runs a modal loop until `done` says so; `handle` gets every event that is not the main
// window's. The window's close box acts as the dialog's own close box (`closeBox`), as the
// owner's close box is out of reach while a Windows dialog is up. A request to end the
// program (a signal) closes the dialog the same way and reaches the window afterwards; true
// when that is what ended it.
template <typename Done, typename Handle, typename CloseBox>
bool modalLoop(Done done, Handle handle, CloseBox closeBox) {
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
    if (!b.quitAfterModal) return false;
    b.quitAfterModal = false;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return true;
}

// A message nobody could read (no window, or closed at once by a request to end the program,
// as a failed save at a logout is): said on stderr, so that it is never lost.
void reportUnseen(std::string_view text, std::string_view caption) {
    std::fprintf(stderr, "Glimora: %.*s %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

} // namespace

namespace platform {

int RunDialog(const DialogTemplate& dialog, const DialogProcedure& procedure) {
    auto& b = backend();
    DialogHandle d;
    d.clipboardText = clipboardText;
    // What the dialog's procedure does may draw in the window: on the game's own pixels.
    const platform::DialogProcedure onClient = [&procedure](DialogHandle& h,
                                                            platform::DialogMessage m, int id) {
        sdlbackend::restoreUnder();
        procedure(h, m, id);
    };
    classicui::OpenDialog(d, dialog, onClient);
    if (d.ended || !b.windowOpen) return d.result;

    size_t overlay = b.overlays.size();
    b.overlays.push_back({[&d](Surface& s) { classicui::DrawDialog(s, d, geometryOf(*d.dialog)); },
                          [&d] { return geometryOf(*d.dialog).outer; }});
    b.frameDirty = true;
    SDL_StartTextInput();
    (void)modalLoop([&] { return d.ended; },
              [&](const SDL_Event& e) {
                  classicui::UiEvent event;
                  if (sdlbackend::toUiEvent(e, event))
                      classicui::DialogInput(d, event, geometryOf(dialog));
              },
              [&] { d.command(2); });
    sdlbackend::dropOverlays(overlay);
    if (!d.ended) d.result = -1; // the window went away under the dialog
    return d.result;
}

void ShowMessage(std::string_view text, std::string_view caption) {
    auto& b = backend();
    if (!b.windowOpen) {
        // Without the window there is nowhere to draw; say it where a user may see it.
        std::string t(text), c(caption);
        reportUnseen(text, caption);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c.c_str(), t.c_str(), nullptr);
        return;
    }
    classicui::MessageBoxState state;
    auto layout = [&] {
        return classicui::LayoutMessageBox(font(), text, caption, sdlbackend::uiClientArea(),
                                           sdlbackend::uiWindowArea());
    };
    size_t overlay = b.overlays.size();
    b.overlays.push_back({[&](Surface& s) { classicui::DrawMessageBox(s, layout(), caption, state); },
                          [&] { return layout().frame.outer; }});
    b.frameDirty = true;
    const bool endedByQuit = modalLoop(
        [&] { return state.done; },
        [&](const SDL_Event& e) {
            classicui::UiEvent event;
            if (sdlbackend::toUiEvent(e, event)) classicui::MessageBoxInput(state, event, layout());
        },
        [&] { state.done = true; });
    sdlbackend::dropOverlays(overlay);
    if (endedByQuit || !state.done) reportUnseen(text, caption);
}

} // namespace platform

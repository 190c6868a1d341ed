// The SDL event loop: SDL events turned into the game's events, waiting without spinning.
#include <algorithm>
#include <climits>

#include "platform/classic_ui/mnemonic.h"
#include "platform/posix/posix_platform.h"
#include "platform/sdl/sdl_state.h"
#include "platform/classic_ui/windows1252.h"

namespace sdlbackend {

bool nextModalEvent(SDL_Event& event) {
    Backend& b = backend();
    for (;;) {
        present();
        if (SDL_PollEvent(&event) == 1) return true;
        if (b.paintPending && b.windowOpen) {
            b.paintPending = false;
            deliver({platform::EventType::Paint, 0, 0, 0});
            continue;
        }
        if (!b.windowOpen) return false;
        return waitEvent(&event, UINT32_MAX);
    }
}

bool waitEvent(SDL_Event* event, uint32_t timeoutMs) {
    const uint32_t start = platform::GetTicks();
    for (;;) {
        const uint32_t now = platform::GetTicks();
        const uint32_t waited = now - start;
        uint32_t left = timeoutMs == UINT32_MAX ? UINT32_MAX : timeoutMs - std::min(waited, timeoutMs);
        const uint32_t audioDue = audioCloseDue(now);
        if (audioDue == 0) {
            closeAudioWhenDone(now);
            continue;
        }
        const uint32_t wait = std::min(left, audioDue);
        int got = wait >= static_cast<uint32_t>(INT_MAX)
                      ? SDL_WaitEvent(event)
                      : SDL_WaitEventTimeout(event, static_cast<int>(wait));
        if (got == 1) return true;
        if (wait == left) return false;
    }
}

namespace {

// The menu bar's key for a key press with Alt held: the mnemonic letter, 0 for none.
char mnemonicKey(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return static_cast<char>(key.sym);
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9) return static_cast<char>(key.sym);
    return 0;
}

// Runs the menu from a key press or a click on the bar; a choice becomes a Command.
void menuThenCommand(int title, bool openPopup, bool viaKeyboard) {
    int id = runMenuLoop(title, openPopup, viaKeyboard);
    if (id != 0) deliver({platform::EventType::Command, 0, 0, id});
}

// Handles one SDL event in the main loop; true when it was something for the window.
bool dispatch(const SDL_Event& e) {
    Backend& b = backend();
    if (handleWindowEvent(e, false)) return true;
    switch (e.type) {
    case SDL_QUIT:
        b.closeBoxSeen = false;
        deliver({platform::EventType::Close, 0, 0, 0});
        return true;
    case SDL_MOUSEBUTTONDOWN: {
        b.altAlone = false;
        if (e.button.button != SDL_BUTTON_LEFT) return false;
        int y = e.button.y - barHeight();
        if (y < 0) {
            if (b.menu == nullptr) return false;
            classicui::BarLayout bar = classicui::LayoutBar(*b.menu, EmbeddedFont(DialogFontId));
            int title = classicui::HitTitle(bar, e.button.x / b.uiScale, e.button.y / b.uiScale);
            if (title < 0) return false;
            menuThenCommand(title, true, false);
            return true;
        }
        // The second press of a double click comes instead of a press; a third press
        // is an ordinary press again, as on Windows.
        auto type = e.button.clicks % 2 == 0 ? platform::EventType::LeftDoubleClick
                                             : platform::EventType::LeftDown;
        deliver({type, e.button.x, y, 0});
        return true;
    }
    case SDL_MOUSEBUTTONUP: {
        if (e.button.button != SDL_BUTTON_LEFT) return false;
        int y = e.button.y - barHeight();
        if (y < 0 || e.button.x < 0 || e.button.x >= b.client.width || y >= b.client.height)
            return false;
        deliver({platform::EventType::LeftUp, e.button.x, y, 0});
        return true;
    }
    case SDL_KEYDOWN: {
        SDL_Keycode sym = e.key.keysym.sym;
        if (sym == SDLK_LALT || sym == SDLK_RALT) {
            if (e.key.repeat == 0) b.altAlone = true;
            return false;
        }
        b.altAlone = false;
        if (b.menu == nullptr || b.menu->popups.empty()) return false;
        if (sym == SDLK_F10 && (e.key.keysym.mod & (KMOD_CTRL | KMOD_ALT)) == 0) {
            menuThenCommand(0, false, true);
            return true;
        }
        if ((e.key.keysym.mod & KMOD_ALT) != 0) {
            classicui::BarLayout bar = classicui::LayoutBar(*b.menu, EmbeddedFont(DialogFontId));
            int title = classicui::TitleForKey(bar, mnemonicKey(e.key.keysym));
            if (title >= 0) {
                menuThenCommand(title, true, true);
                return true;
            }
        }
        return false;
    }
    case SDL_KEYUP: {
        SDL_Keycode sym = e.key.keysym.sym;
        if ((sym == SDLK_LALT || sym == SDLK_RALT) && b.altAlone && b.menu != nullptr &&
            !b.menu->popups.empty()) {
            b.altAlone = false;
            menuThenCommand(0, false, true);
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace

bool Backend::handleNextInput(bool& forWindow) {
    SDL_Event e;
    if (SDL_PollEvent(&e) != 1) return false;
    forWindow = dispatch(e);
    return true;
}

void Backend::waitInMainLoop(uint32_t timeoutMs) {
    waitEvent(nullptr, timeoutMs);
}

void Backend::sleepWithoutWindow(uint32_t timeoutMs) {
    SDL_Delay(timeoutMs);
}

} // namespace sdlbackend

using sdlbackend::backend;

namespace platform {

uint32_t GetTicks() {
    return posix::TicksSinceBoot();
}

} // namespace platform

// SDL's events as the drawn window's input, waiting without spinning, and the few window
// services SDL gives (clipboard, text input, a message box without the window).
#include <algorithm>
#include <climits>
#include <string>

#include "platform/posix/posix_platform.h"
#include "platform/sdl/sdl_state.h"

namespace sdlbackend {

bool waitEvent(uint32_t timeoutMs) {
    const uint32_t start = platform::GetTicks();
    for (;;) {
        if (gamepadInputWaiting()) return true;
        const uint32_t now = platform::GetTicks();
        const uint32_t waited = now - start;
        uint32_t left =
            timeoutMs == UINT32_MAX ? UINT32_MAX : timeoutMs - std::min(waited, timeoutMs);
        const uint32_t audioDue = audioCloseDue(now);
        if (audioDue == 0) {
            closeAudioWhenDone(now);
            continue;
        }
        // An open gamepad is read every few milliseconds; none, never.
        const uint32_t padDue = gamepadReadDue(now);
        if (padDue == 0) {
            readGamepads(now);
            if (gamepadInputWaiting()) return true;
            if (left == 0) return false;
            continue;
        }
        const uint32_t wait = std::min({left, audioDue, padDue});
        int got = wait >= static_cast<uint32_t>(INT_MAX)
                      ? SDL_WaitEvent(nullptr)
                      : SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
        if (got == 1) return true;
        if (wait == left) return false;
    }
}

namespace {

using classicui::UiEvent;
using classicui::UiKey;

UiKey keyOf(SDL_Keycode sym, char& ch) {
    static constexpr struct {
        SDL_Keycode sym;
        UiKey key;
    } named[] = {
        {SDLK_ESCAPE, UiKey::Escape}, {SDLK_TAB, UiKey::Tab},
        {SDLK_RETURN, UiKey::Return}, {SDLK_KP_ENTER, UiKey::Return},
        {SDLK_SPACE, UiKey::Space},   {SDLK_BACKSPACE, UiKey::Backspace},
        {SDLK_DELETE, UiKey::Delete}, {SDLK_HOME, UiKey::Home},
        {SDLK_END, UiKey::End},       {SDLK_LEFT, UiKey::Left},
        {SDLK_RIGHT, UiKey::Right},   {SDLK_UP, UiKey::Up},
        {SDLK_DOWN, UiKey::Down},     {SDLK_LALT, UiKey::Alt},
        {SDLK_RALT, UiKey::Alt},      {SDLK_F10, UiKey::MenuKey},
    };
    for (const auto& n : named)
        if (sym == n.sym) return n.key;
    if ((sym >= SDLK_a && sym <= SDLK_z) || (sym >= SDLK_0 && sym <= SDLK_9)) {
        ch = static_cast<char>(sym);
        return UiKey::Char;
    }
    return UiKey::None;
}

// An SDL event as the window's input, in window pixels; false for events of no meaning here.
bool toInput(const SDL_Event& e, UiEvent& out) {
    Backend& b = backend();
    out = UiEvent{};
    switch (e.type) {
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
            out.kind = UiEvent::Kind::Resize;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            out.kind = UiEvent::Kind::Expose;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = UiEvent::Kind::FocusLost;
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            b.closeBoxSeen = true; // SDL_QUIT follows it: that one is not a signal
            out.kind = UiEvent::Kind::Close;
            return true;
        default:
            return false;
        }
    case SDL_QUIT:
        if (b.closeBoxSeen) {
            b.closeBoxSeen = false;
            return false;
        }
        out.kind = UiEvent::Kind::Quit; // SIGTERM, SIGINT, or SIGHUP made one (endSessionOnHangUp)
        return true;
    case SDL_MOUSEMOTION:
        out.kind = UiEvent::Kind::MouseMove;
        out.x = e.motion.x;
        out.y = e.motion.y;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind =
            e.type == SDL_MOUSEBUTTONDOWN ? UiEvent::Kind::MouseDown : UiEvent::Kind::MouseUp;
        out.x = e.button.x;
        out.y = e.button.y;
        out.left = e.button.button == SDL_BUTTON_LEFT;
        out.doubleClick = e.type == SDL_MOUSEBUTTONDOWN && e.button.clicks % 2 == 0;
        return true;
    case SDL_TEXTINPUT:
        out.kind = UiEvent::Kind::Text;
        out.text = e.text.text;
        return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = e.type == SDL_KEYDOWN ? UiEvent::Kind::Key : UiEvent::Kind::KeyUp;
        out.key = keyOf(e.key.keysym.sym, out.ch);
        out.repeat = e.key.repeat != 0;
        out.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
        out.ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
        out.alt = (e.key.keysym.mod & KMOD_ALT) != 0 || out.key == UiKey::Alt;
        return true;
    default:
        isGamepadWake(e); // the devices are looked at in the next pump
        return false;
    }
}

std::string clipboard() {
    std::string text;
    char* clip = SDL_GetClipboardText();
    if (clip != nullptr) {
        text = clip;
        SDL_free(clip);
    }
    return text;
}

} // namespace

Backend::Backend() {
    clipboardText = clipboard;
}

bool Backend::pollInput(UiEvent& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1)
        if (toInput(e, event)) return true;
    return takeGamepadInput(event);
}

bool Backend::waitInput(uint32_t timeoutMs) {
    return waitEvent(timeoutMs);
}

void Backend::sleepWithoutWindow(uint32_t timeoutMs) {
    SDL_Delay(timeoutMs);
}

void Backend::resized(const UiEvent&) {
    syncWindowSize();
}

void Backend::startTextInput() {
    SDL_StartTextInput();
}

void Backend::reportUnseen(std::string_view text, std::string_view caption) {
    WindowCore::reportUnseen(text, caption);
    if (windowOpen) return;
    // Without the window there is nowhere to draw; say it where a user may see it.
    const std::string t(text), c(caption);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c.c_str(), t.c_str(), nullptr);
}

} // namespace sdlbackend

namespace platform {

uint32_t GetTicks() {
    return posix::TicksSinceBoot();
}

} // namespace platform

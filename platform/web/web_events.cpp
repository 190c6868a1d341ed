// The web event loop: the canvas's mouse, its keys and a gamepad (web_input.js) turned into the
// game's events (the page's own menus and dialogs take the keyboard, web_page_ui.js); every wait
// gives the browser its turn (Asyncify) until an input or the timeout wakes the program, so the
// game's own loop runs unchanged.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/web_state.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace webbackend {

namespace {

using classicui::UiEvent;

// Windows' double click: a second press within 500 ms and inside a 4 x 4 rectangle around
// the first; a third press is an ordinary press again. The browser's own dblclick comes only
// after the second release, too late to stand in for the press.
constexpr uint32_t DoubleClickMs = 500;
constexpr int DoubleClickHalfSide = 2;

struct PressMemory {
    bool armed = false; // the last press may begin a double click
    uint32_t time = 0;
    int x = 0, y = 0;
};
PressMemory lastPress;

// clang-format off
// Sleeps until glimora_wake is called or timeoutMs passed (negative: no timeout). The program
// is suspended meanwhile (Asyncify) and the browser runs the page's handlers.
EM_ASYNC_JS(void, glimora_sleep_until_input, (int timeoutMs), {
    await new Promise(function (resolve) {
        var done = false;
        var timer = timeoutMs >= 0 ? setTimeout(finish, timeoutMs) : null;
        function finish() {
            if (done) return;
            done = true;
            if (Module.glimoraWake === wake) Module.glimoraWake = null;
            if (timer !== null) clearTimeout(timer);
            resolve();
        }
        // Called from inside a handler: the program resumes once that handler has returned.
        function wake() { setTimeout(finish, 0); }
        Module.glimoraWake = wake;
    });
});
EM_JS(void, glimora_wake, (), {
    if (Module.glimoraWake) Module.glimoraWake();
});
// The canvas's left button: a press on it, and its release anywhere on the page while it is
// held (as Windows' capture gives a window the release of a press it got), or on it. A press
// or release on the page's own elements (its menus, dialogs, the backdrop of an open menu) is
// theirs, not the game's. Points are canvas pixels (the canvas may be shown at another size
// than its pixels, on a dense display).
EM_JS(int, glimora_pass_keyboard_on, (int forward), {
    return Module.glimoraInput.passKeyboardOn(forward !== 0) ? 1 : 0;
});
EM_JS(void, glimora_listen_to_mouse, (), {
    var canvas = document.getElementById('canvas'), held = false;
    function send(down, event) {
        var r = canvas.getBoundingClientRect();
        _glimora_mouse(down, Math.floor((event.clientX - r.left) * canvas.width / (r.width || 1)),
                       Math.floor((event.clientY - r.top) * canvas.height / (r.height || 1)));
    }
    canvas.addEventListener('mousedown', function (event) {
        if (event.button !== 0) return;
        event.preventDefault();
        held = true;
        send(1, event);
    });
    document.addEventListener('mouseup', function (event) {
        if (event.button !== 0 || !(held || event.target === canvas)) return;
        held = false;
        send(0, event);
    });
});
// clang-format on

} // namespace

void push(const UiEvent& input) {
    Backend& b = backend();
    if (!b.windowOpen) return;
    b.queue.push_back(input);
    glimora_wake();
}

// A left press (down) or release at canvas pixel (x, y), from the page's handlers.
extern "C" EMSCRIPTEN_KEEPALIVE void glimora_mouse(int down, int x, int y) {
    UiEvent input;
    input.kind = down != 0 ? UiEvent::Kind::MouseDown : UiEvent::Kind::MouseUp;
    input.x = x;
    input.y = y;
    if (down != 0) {
        const uint32_t now = platform::GetTicks();
        input.doubleClick = lastPress.armed && now - lastPress.time <= DoubleClickMs &&
                            std::abs(x - lastPress.x) <= DoubleClickHalfSide &&
                            std::abs(y - lastPress.y) <= DoubleClickHalfSide;
        lastPress = {!input.doubleClick, now, x, y};
    }
    push(input);
}

// A key pressed on the canvas, or a gamepad's button outside the page's menus and dialogs:
// `code` as web_input.js numbers them; the last code is the Tab that brought the keyboard onto
// the canvas from the page's other elements.
extern "C" EMSCRIPTEN_KEEPALIVE void glimora_key(int code, int repeat, int shift) {
    using classicui::UiKey;
    static constexpr UiKey Keys[] = {
        UiKey::Left,    UiKey::Right,   UiKey::Up,       UiKey::Down,
        UiKey::Return,  UiKey::Space,   UiKey::Tab,      UiKey::PadA,
        UiKey::PadB,    UiKey::PadBack, UiKey::PadStart, UiKey::PadUp,
        UiKey::PadDown, UiKey::PadLeft, UiKey::PadRight, UiKey::Tab,
    };
    if (code < 0 || static_cast<size_t>(code) >= std::size(Keys)) return;
    UiEvent input;
    input.kind = UiEvent::Kind::Key;
    input.key = Keys[code];
    input.repeat = repeat != 0;
    input.shift = shift != 0;
    input.arriving = static_cast<size_t>(code) == std::size(Keys) - 1;
    push(input);
}

void installInputHandlers() {
    Backend& b = backend();
    if (b.handlersInstalled) return;
    b.handlersInstalled = true;
    glimora_listen_to_mouse();
}

bool Backend::waitInput(uint32_t timeoutMs) {
    // The page's handlers run only while the program sleeps; the first input wakes it.
    const uint32_t start = platform::GetTicks();
    for (;;) {
        if (!queue.empty()) return true;
        if (!windowOpen) return false; // closed meanwhile (the page was hidden)
        const uint32_t waited = platform::GetTicks() - start;
        if (timeoutMs == UINT32_MAX) {
            glimora_sleep_until_input(-1);
            continue;
        }
        if (waited >= timeoutMs) return false;
        const uint32_t left = timeoutMs - waited;
        glimora_sleep_until_input(static_cast<int>(std::min<uint32_t>(left, INT32_MAX)));
    }
}

bool Backend::pollInput(UiEvent& event) {
    if (queue.empty()) return false;
    event = queue.front();
    queue.pop_front();
    return true;
}

void Backend::waitInMainLoop(uint32_t timeoutMs) {
    mainLoopWaiting = true;
    waitInput(timeoutMs);
    mainLoopWaiting = false;
}

bool Backend::passKeyboardOn(bool forward) {
    return glimora_pass_keyboard_on(forward ? 1 : 0) != 0;
}

void Backend::sleepWithoutWindow(uint32_t timeoutMs) {
    emscripten_sleep(timeoutMs);
}

} // namespace webbackend

using webbackend::backend;

namespace platform {

// The page's clock in milliseconds, counted from the epoch so that every visit seeds the
// random deal differently; it never goes back, as the page's monotonic clock does not.
uint32_t GetTicks() {
    static const double origin = emscripten_date_now() - emscripten_get_now();
    return static_cast<uint32_t>(static_cast<uint64_t>(origin + emscripten_get_now()));
}

} // namespace platform

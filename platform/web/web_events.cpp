// The web event loop: the page's mouse and keyboard turned into the game's events; every
// wait gives the browser its turn (Asyncify) until an input or the timeout wakes the program,
// so the game's own loop runs unchanged.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/web/web_state.h"

namespace webbackend {

namespace {

using classicui::UiEvent;
using classicui::UiKey;

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
// A point in the page's client coordinates as a canvas pixel (the canvas may be shown at
// another size than its pixels, on a dense display), also for events caught outside it.
EM_JS(int, glimora_canvas_x, (double clientX), {
    var c = document.getElementById('canvas'), r = c.getBoundingClientRect();
    return Math.floor((clientX - r.left) * c.width / (r.width || 1));
});
EM_JS(int, glimora_canvas_y, (double clientY), {
    var c = document.getElementById('canvas'), r = c.getBoundingClientRect();
    return Math.floor((clientY - r.top) * c.height / (r.height || 1));
});
// clang-format on

void push(const UiEvent& input) {
    Backend& b = backend();
    if (!b.windowOpen) return;
    b.queue.push_back(input);
    glimora_wake();
}

// Presses come from the canvas; releases and moves from the whole page, so that a button
// held on the canvas and let go beside it still ends the press, as Windows' capture does.
EM_BOOL onMouse(int type, const EmscriptenMouseEvent* e, void*) {
    UiEvent input;
    input.x = glimora_canvas_x(static_cast<double>(e->clientX));
    input.y = glimora_canvas_y(static_cast<double>(e->clientY));
    input.left = e->button == 0;
    input.shift = e->shiftKey;
    input.ctrl = e->ctrlKey;
    input.alt = e->altKey;
    switch (type) {
    case EMSCRIPTEN_EVENT_MOUSEDOWN: {
        input.kind = UiEvent::Kind::MouseDown;
        if (input.left) {
            const uint32_t now = platform::GetTicks();
            input.doubleClick = lastPress.armed && now - lastPress.time <= DoubleClickMs &&
                                std::abs(input.x - lastPress.x) <= DoubleClickHalfSide &&
                                std::abs(input.y - lastPress.y) <= DoubleClickHalfSide;
            lastPress = {!input.doubleClick, now, input.x, input.y};
        }
        break;
    }
    case EMSCRIPTEN_EVENT_MOUSEUP:
        input.kind = UiEvent::Kind::MouseUp;
        break;
    default:
        input.kind = UiEvent::Kind::MouseMove;
        break;
    }
    push(input);
    return EM_TRUE;
}

UiKey keyOf(std::string_view key, char& ch) {
    static constexpr struct {
        std::string_view name;
        UiKey key;
    } named[] = {
        {"Escape", UiKey::Escape},
        {"Tab", UiKey::Tab},
        {"Enter", UiKey::Return},
        {" ", UiKey::Space},
        {"Backspace", UiKey::Backspace},
        {"Delete", UiKey::Delete},
        {"Home", UiKey::Home},
        {"End", UiKey::End},
        {"ArrowLeft", UiKey::Left},
        {"ArrowRight", UiKey::Right},
        {"ArrowUp", UiKey::Up},
        {"ArrowDown", UiKey::Down},
        {"Alt", UiKey::Alt},
        {"AltGraph", UiKey::MenuKey},
        {"F10", UiKey::MenuKey},
    };
    for (const auto& n : named)
        if (key == n.name) return n.key;
    if (key.size() == 1) {
        const char c =
            static_cast<char>(key[0] >= 'A' && key[0] <= 'Z' ? key[0] - 'A' + 'a' : key[0]);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            ch = c;
            return UiKey::Char;
        }
    }
    return UiKey::None;
}

// One Unicode character typed: a key name of a single code point that is not a named key.
bool isTypedText(std::string_view key) {
    if (key.empty() || key == "Unidentified") return false;
    size_t codePoints = 0;
    for (char c : key)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++codePoints;
    return codePoints == 1 && static_cast<unsigned char>(key[0]) >= 0x20;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void*) {
    if (e->metaKey) return EM_FALSE;
    const std::string_view key = e->key;
    UiEvent input;
    input.kind = UiEvent::Kind::Key;
    input.key = keyOf(key, input.ch);
    input.shift = e->shiftKey;
    input.ctrl = e->ctrlKey;
    input.alt = e->altKey || input.key == UiKey::Alt;
    input.repeat = e->repeat;
    push(input);
    const bool typed = !e->ctrlKey && !e->altKey && isTypedText(key);
    if (typed) {
        UiEvent text;
        text.kind = UiEvent::Kind::Text;
        text.text = std::string(key);
        push(text);
    }
    // The keys the game takes are the page's no more (Alt would focus the browser's menu,
    // Tab leave the canvas); the others, and every Ctrl combination, keep their browser use.
    return !e->ctrlKey && (typed || input.key != UiKey::None) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* e, void*) {
    if (std::string_view(e->key) != "Alt") return EM_FALSE;
    UiEvent input;
    input.kind = UiEvent::Kind::KeyUp;
    input.key = UiKey::Alt;
    input.alt = true;
    push(input);
    return EM_TRUE;
}

} // namespace

void installInputHandlers() {
    Backend& b = backend();
    if (b.handlersInstalled) return;
    b.handlersInstalled = true;
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouse);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKeyDown);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKeyUp);
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

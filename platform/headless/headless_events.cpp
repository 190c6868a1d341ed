// The headless input queue and scripted clock: inputs in order, timed ones when their time comes.
#include <algorithm>
#include <cstdint>

#include "platform/headless/headless_state.h"

using classicui::UiEvent;
using headless::detail::state;

namespace {

// A timed input is due once the clock has reached it; the difference wraps like the ticks.
bool isDue(uint32_t due, uint32_t now) {
    return static_cast<int32_t>(now - due) >= 0;
}

// Moves every timed input that has come due to the end of the queue, in the order queued.
void releaseDueInputs() {
    auto& s = state();
    for (auto it = s.timed.begin(); it != s.timed.end();) {
        if (isDue(it->due, s.ticks)) {
            s.queue.push_back(it->input);
            it = s.timed.erase(it);
        } else {
            ++it;
        }
    }
}

// How far the clock may move in a wait of at most `most` ms: to the next timed input.
uint32_t stepUpTo(uint32_t most) {
    const auto& s = state();
    for (const auto& t : s.timed) {
        const uint32_t until = t.due - s.ticks; // not due yet, so this is the distance ahead
        if (until < most) most = until;
    }
    return most;
}

UiEvent mouse(UiEvent::Kind kind, int x, int y, bool doubleClick = false) {
    UiEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.doubleClick = doubleClick;
    return e;
}

int bar() {
    return state().barHeight();
}

} // namespace

namespace headless::detail {

bool Backend::inputReady() {
    releaseDueInputs();
    return nextReady() != queue.end();
}

std::deque<Input>::iterator Backend::nextReady() {
    if (!overlays.empty()) return queue.begin();
    return std::find_if(queue.begin(), queue.end(), [](const Input& i) { return !i.awaitsDialog; });
}

void Backend::push(Input input) {
    input.awaitsDialog = input.awaitsDialog || nextAwaitsDialog;
    nextAwaitsDialog = false;
    queue.push_back(std::move(input));
}

bool Backend::pollInput(UiEvent& event) {
    while (inputReady()) {
        const auto next = nextReady();
        Input input = std::move(*next);
        queue.erase(next);
        if (!input.probe) {
            event = input.event;
            return true;
        }
        input.probe();
    }
    return false;
}

bool Backend::waitInput(uint32_t timeoutMs) {
    checkScreen();
    if (inputReady()) return true;
    // Without a timeout only a timed input can come; nothing else will.
    if (timeoutMs == UINT32_MAX && timed.empty()) return false;
    ticks +=
        stepUpTo(timeoutMs < waitCap || timed.empty() ? std::min(timeoutMs, waitCap) : timeoutMs);
    return inputReady();
}

void Backend::waitInMainLoop(uint32_t timeoutMs) {
    waitTimeouts.push_back(timeoutMs);
    checkScreen();
    if (inputReady()) return;
    ticks += stepUpTo(std::min(timeoutMs, waitCap));
}

void Backend::sleepWithoutWindow(uint32_t timeoutMs) {
    waitTimeouts.push_back(timeoutMs);
    ticks += timeoutMs;
}

} // namespace headless::detail

namespace headless {

void SetTicks(uint32_t ticks) {
    state().ticks = ticks;
}
void AdvanceTicks(uint32_t ms) {
    state().ticks += ms;
}
void SetWaitCap(uint32_t ms) {
    state().waitCap = ms;
}
const std::vector<uint32_t>& WaitTimeouts() {
    return state().waitTimeouts;
}

void QueueInput(const UiEvent& event) {
    state().push({event, {}, false});
}
void QueueLeftDown(int x, int y) {
    QueueInput(mouse(UiEvent::Kind::MouseDown, x, y + bar()));
}
void QueueLeftUp(int x, int y) {
    QueueInput(mouse(UiEvent::Kind::MouseUp, x, y + bar()));
}
void QueueLeftDoubleClick(int x, int y) {
    QueueInput(mouse(UiEvent::Kind::MouseDown, x, y + bar(), true));
}
void QueueClick(int x, int y) {
    QueueWindowClick(x, y + bar());
}
void QueueDoubleClick(int x, int y) {
    QueueClick(x, y);
    QueueLeftDoubleClick(x, y);
    QueueLeftUp(x, y);
}
void QueueWindowClick(int x, int y) {
    const bool awaits = state().nextAwaitsDialog; // the press and its release alike
    QueueInput(mouse(UiEvent::Kind::MouseDown, x, y));
    state().nextAwaitsDialog = awaits;
    QueueInput(mouse(UiEvent::Kind::MouseUp, x, y));
}

void QueueKey(classicui::UiKey key, char ch, bool alt, bool shift) {
    UiEvent e;
    e.kind = UiEvent::Kind::Key;
    e.key = key;
    e.ch = ch;
    e.alt = alt || key == classicui::UiKey::Alt;
    e.shift = shift;
    const bool awaits = state().nextAwaitsDialog; // the press and its release alike
    QueueInput(e);
    state().nextAwaitsDialog = awaits;
    e.kind = UiEvent::Kind::KeyUp;
    QueueInput(e);
}

void QueueText(std::string utf8) {
    UiEvent e;
    e.kind = UiEvent::Kind::Text;
    e.text = std::move(utf8);
    state().push({e, {}, true});
}

void QueueResize(int width, int height) {
    UiEvent e;
    e.kind = UiEvent::Kind::Resize;
    e.x = width;
    e.y = height;
    QueueInput(e);
}

void QueueClose() {
    UiEvent e;
    e.kind = UiEvent::Kind::Close;
    QueueInput(e);
}

void QueueInputAt(uint32_t ticks, const UiEvent& event) {
    state().timed.push_back({ticks, {event, {}, false}});
}

void QueueProbe(std::function<void()> probe) {
    state().push({{}, std::move(probe), false});
}

void AwaitDialog() {
    state().nextAwaitsDialog = true;
}

size_t PendingInputs() {
    auto& s = state();
    if (!s.inputReady()) return 0;
    return static_cast<size_t>(s.queue.end() - s.nextReady());
}

} // namespace headless

namespace platform {

uint32_t GetTicks() {
    return state().ticks;
}

} // namespace platform

// The headless event queue and fake clock: scripted input, Paint last, quit in order.
#include <cstdint>

#include "platform/headless/headless_state.h"

using headless::detail::state;

namespace {

// A timed event is due once the clock has reached it; the difference wraps like the ticks.
bool isDue(uint32_t due, uint32_t now) {
    return static_cast<int32_t>(now - due) >= 0;
}

// Moves every timed event that has come due to the end of the queue, in the order queued.
void releaseDueEvents() {
    auto& s = state();
    for (auto it = s.timed.begin(); it != s.timed.end();) {
        if (isDue(it->due, s.ticks)) {
            s.queue.push_back(it->event);
            it = s.timed.erase(it);
        } else {
            ++it;
        }
    }
}

bool somethingWaits() {
    const auto& s = state();
    return !s.queue.empty() || s.quitPosted || (s.repaintPending && s.windowOpen);
}

} // namespace

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

void QueueEvent(const platform::Event& event) {
    state().queue.push_back(event);
}
void QueueLeftDown(int x, int y) {
    QueueEvent({platform::EventType::LeftDown, x, y, 0});
}
void QueueLeftUp(int x, int y) {
    QueueEvent({platform::EventType::LeftUp, x, y, 0});
}
void QueueLeftDoubleClick(int x, int y) {
    QueueEvent({platform::EventType::LeftDoubleClick, x, y, 0});
}
void QueueClick(int x, int y) {
    QueueLeftDown(x, y);
    QueueLeftUp(x, y);
}
void QueueDoubleClick(int x, int y) {
    QueueClick(x, y);
    QueueLeftDoubleClick(x, y);
    QueueLeftUp(x, y);
}
void QueueCommand(int id) {
    QueueEvent({platform::EventType::Command, 0, 0, id});
}
void QueueClose() {
    QueueEvent({platform::EventType::Close, 0, 0, 0});
}

void QueueEventAt(uint32_t ticks, const platform::Event& event) {
    state().timed.push_back({ticks, event});
}

size_t PendingEvents() {
    releaseDueEvents();
    return state().queue.size();
}

} // namespace headless

namespace platform {

uint32_t GetTicks() {
    return state().ticks;
}

PumpResult PumpOne(int& exitCode) {
    auto& s = state();
    if (s.quitReached) {
        exitCode = s.quitCode;
        return PumpResult::Quit;
    }
    releaseDueEvents();
    while (!s.queue.empty()) {
        Event event = s.queue.front();
        s.queue.pop_front();
        if (!s.windowOpen) continue; // the window it was meant for is gone
        headless::detail::deliver(event);
        return PumpResult::Dispatched;
    }
    if (s.quitPosted) {
        s.quitReached = true;
        exitCode = s.quitCode;
        return PumpResult::Quit;
    }
    if (s.repaintPending && s.windowOpen) {
        s.repaintPending = false;
        headless::detail::deliver({EventType::Paint, 0, 0, 0});
        return PumpResult::Dispatched;
    }
    return PumpResult::Idle;
}

void WaitForEvent(uint32_t timeoutMs) {
    auto& s = state();
    s.waitTimeouts.push_back(timeoutMs);
    releaseDueEvents();
    if (somethingWaits()) return;
    uint32_t step = timeoutMs < s.waitCap ? timeoutMs : s.waitCap;
    for (const auto& t : s.timed) {
        uint32_t until = t.due - s.ticks; // not due yet, so this is the distance ahead
        if (until < step) step = until;
    }
    s.ticks += step;
}

void PostQuit(int exitCode) {
    auto& s = state();
    if (s.quitPosted) return;
    s.quitPosted = true;
    s.quitCode = exitCode;
}

} // namespace platform

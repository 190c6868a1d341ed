// The headless backend's state, shared by its files and cleared by headless::Reset.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace headless::detail {

struct TimedEvent {
    uint32_t due = 0;
    platform::Event event;
};

struct State {
    uint32_t ticks = 0;
    uint32_t waitCap = 1000;
    std::vector<uint32_t> waitTimeouts;

    bool windowOpen = false;
    bool failNextOpen = false;
    std::string title;
    platform::WindowProcedure procedure = nullptr;
    Surface surface{480, 480};
    std::vector<int> squareRequests;
    int repaintRequests = 0;
    bool repaintPending = false;
    int updatesReported = 0;

    std::deque<platform::Event> queue;
    std::vector<TimedEvent> timed; // kept in the order queued
    bool quitPosted = false;
    bool quitReached = false;
    int quitCode = 0;

    std::deque<DialogAnswer> answers;
    std::vector<DialogRecord> dialogs;
    std::vector<MessageRecord> messages;
    std::vector<int> sounds;
    std::vector<std::string> menus;
};

State& state();

// Calls the window procedure when the window exists.
void deliver(const platform::Event& event);

// Changes the client size, keeping the pixels that still fit.
void resizeSurface(int width, int height);

} // namespace headless::detail

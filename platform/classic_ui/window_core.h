// The main window as the backends that draw it themselves (SDL, web) keep it, and the
// platform calls that work the same whatever the events and the screen are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/platform.h"

namespace classicui {

// Adds `r` to the changed rectangles, which stay at most MaxChanged: joined with those it
// overlaps or touches, or else with the one that grows least. A placement changes a square,
// the pile and the score, far from each other, and one rectangle around them all would be
// most of the window.
constexpr size_t MaxChanged = 8;
void AddChanged(std::vector<Rect>& changed, Rect r);

struct WindowCore {
    virtual ~WindowCore() = default;

    bool windowOpen = false;
    platform::WindowProcedure procedure = nullptr;
    Surface client{480, 480}; // what the game draws
    const MenuBar* menu = nullptr;
    MenuView menuView;

    // What must be shown at the next present.
    bool clientDirty = false;
    std::vector<Rect> dirty; // the changed parts of the client, apart
    bool frameDirty = true;  // everything, menu bar included

    bool paintPending = false;
    bool quitPosted = false;
    int quitCode = 0;

    // Calls the window procedure when the window exists.
    virtual void deliver(const platform::Event& event);
    // Shows what changed since the last present.
    virtual void show() = 0;
    // Takes the next waiting input and handles it: false when none waits; `forWindow` tells
    // whether it was something for the window.
    virtual bool handleNextInput(bool& forWindow) = 0;
    // Sleeps in the main loop until an input waits or timeoutMs passed (UINT32_MAX: no
    // timeout); sleeps a moment of at most timeoutMs without the window.
    virtual void waitInMainLoop(uint32_t timeoutMs) = 0;
    virtual void sleepWithoutWindow(uint32_t timeoutMs) = 0;
};

// The backend's one main window.
WindowCore& MainWindow();

} // namespace classicui

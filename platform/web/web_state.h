// The web backend's state shared by its files: the canvas picture, the input queue, overlays.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/classic_ui/window_core.h"
#include "platform/platform.h"

namespace webbackend {

// One input event from the page, as the drawn menu and dialogs take it; a press also says
// whether it is the second press of a double click, and Alt's own presses are marked.
struct Input {
    classicui::UiEvent ui;
    bool doubleClick = false;
    bool altDown = false; // the Alt key itself went down (not a repeat)
    bool altUp = false;   // the Alt key went up
    bool resized = false; // the page's window changed size or density
};

struct Backend : classicui::WindowCore {
    bool handlersInstalled = false;
    // How many times larger than its own size the menu bar, pop-ups and dialogs are drawn.
    int uiScale = 1;

    Surface frame; // the whole canvas: the menu bar above the client

    bool mainLoopWaiting = false; // the program sleeps in WaitForEvent, outside menus and dialogs
    bool pageClosing = false;     // the page is going: nothing may wait for the player

    std::deque<Input> queue; // filled by the page's event handlers, between two waits

    // Modal overlays (dialogs, message boxes), drawn in order over the frame.
    std::vector<std::function<void(Surface&)>> overlays;

    void show() override;
    bool handleNextInput(bool& forWindow) override;
    void waitInMainLoop(uint32_t timeoutMs) override;
    void sleepWithoutWindow(uint32_t timeoutMs) override;
};

Backend& backend();

// Calls the window procedure when the window exists.
void deliver(const platform::Event& event);
// Puts on the canvas what changed since the last present.
void present();
// The menu bar's height on the canvas.
int barHeight();
// The client area's rectangle and the whole canvas's, as the drawn menu and dialogs lay out.
classicui::Rect uiClientArea();
classicui::Rect uiWindowArea();
// A canvas pixel's coordinate in interface pixels (rounded down, also left of or above it).
int toUi(int canvasPixel);
// Makes the client the largest square the page's window holds and chooses the interface's
// scale; the window procedure hears Size when the client changed.
void fitToViewport();
// Registers the canvas's mouse and the page's keyboard handlers (once).
void installInputHandlers();
// Makes the page's hiding or closing end the game as its close box does (once).
void installPageHideHandlers();
// Gives the browser its turn until an input waits or `timeoutMs` passed (UINT32_MAX: no
// timeout). True when an input waits.
bool waitInput(uint32_t timeoutMs);
// The next input for a modal loop: shows the canvas first, delivers a waiting Paint when no
// input waits, then gives the browser its turn until one comes. False once the window is gone.
bool nextModalInput(Input& input);
// The menu loop: opens at `title` (with its pop-up when `openPopup`) and returns the chosen
// command id, 0 when the menu closed without a choice.
int runMenuLoop(int title, bool openPopup, bool viaKeyboard);
// The program reads its saved game file `path`: the page's download and load controls use it.
void noteSavedGamePath(const std::string& path);

} // namespace webbackend

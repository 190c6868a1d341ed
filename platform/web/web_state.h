// The web backend's state shared by its files: the canvas picture, the input queue.
#pragma once

#include <deque>
#include <string>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/classic_ui/window_core.h"
#include "platform/platform.h"

namespace webbackend {

struct Backend : classicui::WindowCore {
    // The page shows the menu bar, dialogs and message boxes as its own elements
    // (web_page_ui.cpp): the canvas is the client alone.
    Backend() { menuBarDrawn = false; }

    bool handlersInstalled = false;

    Surface frame; // the whole canvas

    bool mainLoopWaiting = false; // the program sleeps in WaitForEvent, outside menus and dialogs
    bool pageClosing = false;     // the page is going: nothing may wait for the player

    std::deque<classicui::UiEvent> queue; // filled by the page's event handlers, between two waits

    // Puts on the canvas what changed since the last show.
    void show() override;
    bool createWindow(const char* title) override;
    void showWindow() override;
    void destroyWindow() override;
    bool pollInput(classicui::UiEvent& event) override;
    bool waitInput(uint32_t timeoutMs) override;
    void waitInMainLoop(uint32_t timeoutMs) override;
    void sleepWithoutWindow(uint32_t timeoutMs) override;
    // The page's window changed size or density: the client becomes the largest square it
    // holds, with the interface's scale chosen again; the procedure hears Size when the client
    // changed.
    void resized(const classicui::UiEvent&) override;
    // The page's next (or previous) element takes the keyboard (web_input.js).
    bool passKeyboardOn(bool forward) override;
    bool messagesUnseen() const override { return !windowOpen || pageClosing; }
    // The page's menu bar is made again from the menu attached.
    void menuAttached() override;
    // The page's menu is open: the program waits until the page says what was chosen.
    int runMenu(int title, bool openPopup, bool viaKeyboard, bool shownAlready) override;
};

// The one main window, made before the program starts.
extern Backend mainWindow;
inline Backend& backend() {
    return mainWindow;
}

// Registers the canvas's mouse handlers (once).
void installInputHandlers();
// Queues an input from the page and wakes the program.
void push(const classicui::UiEvent& input);
// Makes the page's hiding or closing end the game as its close box does (once).
void installPageHideHandlers();
// The program reads its saved game file `path`: the page's download and load controls use it.
void noteSavedGamePath(const std::string& path);

} // namespace webbackend

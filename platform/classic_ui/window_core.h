// The main window as the backends that draw it themselves (SDL, web, headless) keep it, and
// the platform calls that work the same whatever the input and the screen are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/platform.h"

namespace classicui {

// Adds `r` to the changed rectangles, which stay at most MaxChanged: joined with those it
// overlaps or touches, or else with the one that grows least. A placement changes a square,
// the pile and the score, far from each other, and one rectangle around them all would be
// most of the window.
constexpr size_t MaxChanged = 8;
void AddChanged(std::vector<Rect>& changed, Rect r);

// A modal overlay (a dialog, a message box): how it draws, in interface pixels, and the
// rectangle it covers there.
struct Overlay {
    std::function<void(Surface&)> draw;
    std::function<Rect()> area;
};

// The drawn main window: its state, the dispatch of input to the window procedure, the menu
// loop and the modal loops. A backend supplies only what differs: input, showing the window,
// and what happens to its size.
struct WindowCore {
    // Made once by the backend that draws the window: from then on the main window that the
    // platform calls below use.
    WindowCore();
    virtual ~WindowCore() = default;

    bool windowOpen = false;
    platform::WindowProcedure procedure = nullptr;
    Surface client{480, 480}; // what the game draws
    const MenuBar* menu = nullptr;
    MenuView menuView;
    // The menu bar is drawn above the client; false when the backend shows it itself (the
    // web page), which then takes no rows of the window.
    bool menuBarDrawn = true;
    // How many times larger than at 1x the menu bar, its pop-ups and the dialogs are drawn;
    // the client is not.
    int uiScale = 1;
    // The side of the square picture the game last asked for with MakeClientSquare while the
    // window kept another size (maximised, tiled): outside it the client is a margin. 0: the
    // whole client is the picture.
    int pictureSide = 0;
    // Modal overlays (dialogs, message boxes), drawn in order over the frame.
    std::vector<Overlay> overlays;
    // The dialog running innermost, none outside dialogs.
    platform::DialogHandle* openDialog = nullptr;
    // The clipboard's text in UTF-8, for Ctrl+V in an edit field; none without.
    std::string (*clipboardText)() = nullptr;

    // What must be shown at the next present.
    bool clientDirty = false;
    std::vector<Rect> dirty; // the changed parts of the client, apart
    bool frameDirty = true;  // everything, menu bar included

    bool paintPending = false;
    int repaintRequests = 0; // RequestRepaint calls, counted for the tests
    bool quitPosted = false;
    int quitCode = 0;

    // ---- What the backend supplies ----
    // Makes the window, titled `title`, not shown yet; false when it cannot be.
    virtual bool createWindow(const char* title) = 0;
    // Shows the window made, once the procedure has heard Create.
    virtual void showWindow() {}
    // Lets go of the window, once the procedure has heard Destroy.
    virtual void destroyWindow() {}
    // Shows what changed since the last present (called by present, when something did).
    virtual void show() = 0;
    // Takes a waiting input without waiting; false when none waits.
    virtual bool pollInput(UiEvent& event) = 0;
    // Sleeps until an input waits or timeoutMs passed (UINT32_MAX: no timeout); true when one
    // waits. False without a timeout means none will ever come.
    virtual bool waitInput(uint32_t timeoutMs) = 0;
    // The main loop's wait: by default just waitInput.
    virtual void waitInMainLoop(uint32_t timeoutMs) { waitInput(timeoutMs); }
    // Sleeps a moment of at most timeoutMs without the window.
    virtual void sleepWithoutWindow(uint32_t timeoutMs) = 0;
    // The window changed size (Resize): take the new size; Size goes to the procedure.
    virtual void resized(const UiEvent& event) = 0;
    // Puts back client pixels that covers hid, before the game may draw.
    virtual void restoreUnder() {}
    // Where the game's picture lies in the client: all of it, or a square pictureSide a side
    // centred in a client the window manager keeps another shape. Clicks are positions in that
    // picture.
    virtual Rect pictureArea() const;
    // A dialog with an edit field may open: typed text is wanted.
    virtual void startTextInput() {}
    // Nobody can see a modal message now (no window, or the player is going).
    virtual bool messagesUnseen() const { return !windowOpen; }
    // Says a message nobody could read where it is not lost.
    virtual void reportUnseen(std::string_view text, std::string_view caption);
    // The menu bar attached changed (the window opened, AttachMenu).
    virtual void menuAttached() {}
    // Gives the keyboard to the window's neighbours (platform::PassKeyboardOn); none here.
    virtual bool passKeyboardOn(bool /*forward*/) { return false; }
    // The menu loop, opened at `title` (with its pop-up when `openPopup`): the chosen command
    // id, 0 when the menu closed without a choice. The drawn one unless the backend shows its
    // own menu; `shownAlready` when that menu opened itself (MenuOpened) and is only waited on.
    virtual int runMenu(int title, bool openPopup, bool viaKeyboard, bool /*shownAlready*/) {
        return runMenuLoop(title, openPopup, viaKeyboard);
    }
    // Tells a watcher (the tests' backend) what opens and what a dialog's procedure gets.
    virtual void noteDialog(const DialogTemplate&) {}
    virtual void noteCommand(int /*id*/) {}
    virtual void noteDialogEnd(int /*result*/, bool /*forced*/) {}
    virtual void noteMessage(std::string_view /*text*/, std::string_view /*caption*/) {}

    // ---- Written once ----
    // Shows what changed since the last present, if anything did and the window is open.
    void present();
    // Makes the client width x height, keeping the pixels that still fit (white elsewhere).
    void resizeClient(int width, int height);
    // Calls the window procedure when the window exists, on the game's own pixels.
    void deliver(const platform::Event& event);
    // Takes the next input and handles it in the main loop: false when none waits;
    // `forWindow` tells whether it was something for the window.
    bool handleNextInput(bool& forWindow);
    // The menu bar's height in window pixels, and the client and the whole window as the
    // drawn menu and dialogs lay out in: interface pixels, each uiScale x uiScale window pixels.
    int barHeight() const { return menuBarDrawn ? MenuBarHeight * uiScale : 0; }
    Rect windowArea() const { return {0, 0, client.width, client.height + barHeight()}; }
    Rect uiClientArea() const;
    Rect uiWindowArea() const;
    // The rectangle the open menu pop-up covers, in interface pixels; empty when none is open.
    Rect menuPopupArea() const;
    // The drawn menu loop: opens at `title` (with its pop-up when `openPopup`) and returns
    // the chosen command id, 0 when the menu closed without a choice.
    int runMenuLoop(int title, bool openPopup, bool viaKeyboard);
    // Runs a modal loop with `overlay` drawn over the window until `done` says so (an overlay
    // without `draw` draws nothing: the backend shows the dialog itself); `handle` gets every
    // input for the dialog in interface pixels. The window's close box acts as
    // `closeBox`, as the owner's close box is out of reach while a Windows dialog is up. A
    // request to end the program closes the dialog the same way and reaches the window
    // afterwards; true when that ended it.
    bool modalLoop(Overlay overlay, const std::function<bool()>& done,
                   const std::function<void(const UiEvent&)>& handle,
                   const std::function<void()>& closeBox);

  private:
    bool nextModalInput(UiEvent& event);
    bool takeInput(UiEvent& event);
    bool dispatch(const UiEvent& event);
    void menuThenCommand(int title, bool openPopup, bool viaKeyboard, bool shownAlready = false);
    UiEvent toUi(UiEvent event) const;

    std::deque<UiEvent> putBack; // inputs a modal loop left for the loop around it
    bool altAlone = false;       // Alt went down and nothing else happened since
    bool quitAfterModal = false; // a request to end came while a modal loop ran
};

// The main window the backend made.
WindowCore& MainWindow();

} // namespace classicui

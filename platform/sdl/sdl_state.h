// The SDL backend's state shared by its files: the window, the pictures, queues, overlays.
#pragma once

#include <SDL.h>

#include <functional>
#include <vector>

#include "platform/platform.h"
#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/classic_ui/window_core.h"
#include "resources/resources.h"

namespace sdlbackend {

// A modal overlay (a dialog, a message box): how it draws, in interface pixels, and the
// rectangle it covers there.
struct Overlay {
    std::function<void(Surface&)> draw;
    std::function<classicui::Rect()> area;
};

struct Backend : classicui::WindowCore {
    bool sdlStarted = false;
    SDL_Window* window = nullptr;
    // How many times larger than at 1x the menu bar, its pop-ups and the dialogs are drawn,
    // decided once at start-up from the display (uiScaleForDisplay); the client is not.
    int uiScale = 1;

    // Where SDL's window surface holds 32-bit XRGB pixels and the whole client is the
    // picture, the client is a view over that surface's rows below the menu bar (`shown`),
    // so the game draws where the window is shown; otherwise a picture of its own, copied
    // into the window surface at each present.
    SDL_Surface* shown = nullptr;
    // The client pixels the open pop-up and overlays cover in `shown` (client coordinates),
    // put back before anything else draws or the covers change.
    Surface under;
    classicui::Rect underArea;
    // The side of the square picture the game last asked for with MakeClientSquare while
    // the window kept another size (maximised, tiled): outside it the client is a margin
    // painted black. 0: the whole client is the picture.
    int pictureSide = 0;

    bool closeBoxSeen = false;   // the window's close box was pressed; SDL_QUIT follows
    bool quitAfterModal = false; // a signal asked to end while a modal loop ran
    bool altAlone = false;       // Alt went down and nothing else happened since

    // Modal overlays (dialogs, message boxes), drawn in order over the frame.
    std::vector<Overlay> overlays;

    // The game draws on what it drew before, not on a pop-up or a dialog.
    void deliver(const platform::Event& event) override;
    void show() override;
    bool handleNextInput(bool& forWindow) override;
    void waitInMainLoop(uint32_t timeoutMs) override;
    void sleepWithoutWindow(uint32_t timeoutMs) override;
};

Backend& backend();

// Calls the window procedure when the window exists.
void deliver(const platform::Event& event);
// Shows what changed since the last present.
void present();
// Puts back the client pixels under the pop-up and the overlays (they are drawn again at the
// next present): called before the game may draw and when the covers change.
void restoreUnder();
// Ends the overlays from `count` on.
void dropOverlays(size_t count);
// The rectangle the open menu pop-up covers, in interface pixels; empty when none is open.
classicui::Rect menuPopupArea();
// Draws the whole window picture (menu bar, client, margin, pop-up, overlays) into
// `pixels`, rows `pitch` pixels apart, at least as large as windowArea().
void composeWindow(uint32_t* pixels, int pitch);
// The whole window's rectangle in window pixels.
classicui::Rect windowArea();
// The menu bar's height in window pixels: the classic bar's, uiScale times.
int barHeight();
// The client area's rectangle and the whole window's as the drawn menu and dialogs lay out
// in: interface pixels, each uiScale x uiScale window pixels.
classicui::Rect uiClientArea();
classicui::Rect uiWindowArea();
// The scale of the drawn interface for the display SDL opened.
int uiScaleForDisplay();
// Size changes and exposures, handled the same way in every loop. Inside a modal loop
// (nested) Size and Paint go to the procedure at once; in the main loop Size is delivered
// now and Paint waits until nothing else does. True when the event was one of them.
bool handleWindowEvent(const SDL_Event& event, bool nested);
// Takes the window's present size; Size goes to the procedure when it changed.
bool syncWindowSize();
// Makes SIGHUP end the game as SIGTERM does: through the close box, saving.
void endSessionOnHangUp();
// Whether SDL's video driver shows a window: false for the drivers that draw nowhere, unless
// SDL_VIDEODRIVER asked for that one.
bool driverShowsWindow();
// Gives the window the icon resource.
void setWindowIcon(SDL_Window* window);
// The next SDL event for a modal loop: shows the window first, delivers a waiting Paint
// when no event waits, then sleeps until an event comes.
bool nextModalEvent(SDL_Event& event);

// An SDL input event as the drawn menu and dialogs take it, the mouse in interface pixels;
// false for other events.
bool toUiEvent(const SDL_Event& event, classicui::UiEvent& out);
// The menu loop: opens at `title` (with its pop-up when `openPopup`) and returns the chosen
// command id, 0 when the menu closed without a choice.
int runMenuLoop(int title, bool openPopup, bool viaKeyboard);
// The audio device is opened by the first sound and closed a moment after the last one
// ends. audioCloseDue: milliseconds from `now` until it may close (UINT32_MAX: closed);
// closeAudioWhenDone closes it once that time has come and nothing is queued. closeAudio
// ends sound altogether, with the window.
uint32_t audioCloseDue(uint32_t now);
void closeAudioWhenDone(uint32_t now);
void closeAudio();
// Sleeps until an SDL event waits (taken into `event` when not null) or timeoutMs passed
// (UINT32_MAX: no timeout), closing the audio device on the way when its time comes.
// True when an event waits.
bool waitEvent(SDL_Event* event, uint32_t timeoutMs);
// What is still queued on the device (bytes), and whether there is a device.
uint32_t queuedAudioBytes();
bool audioOpen();
// Draws the menu bar (and the open pop-up) into the frame.
void drawMenuBar(Surface& frame);
void drawMenuPopup(Surface& frame);

} // namespace sdlbackend

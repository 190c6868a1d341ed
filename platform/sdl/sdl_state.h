// The SDL backend's state shared by its files: the window and its pictures.
#pragma once

#include <SDL.h>

#include <string_view>
#include <vector>

#include "platform/classic_ui/classic_draw.h"
#include "platform/classic_ui/menu_layout.h"
#include "platform/classic_ui/menu_loop.h"
#include "platform/classic_ui/ui_event.h"
#include "platform/classic_ui/window_core.h"
#include "platform/platform.h"
#include "resources/resources.h"

namespace sdlbackend {

struct Backend : classicui::WindowCore {
    bool sdlStarted = false;
    SDL_Window* window = nullptr;
    // uiScale is decided once at start-up from the display (uiScaleForDisplay).

    // Where SDL's window surface holds 32-bit XRGB pixels and the whole client is the
    // picture, the client is a view over that surface's rows below the menu bar (`shown`),
    // so the game draws where the window is shown; otherwise a picture of its own, copied
    // into the window surface at each present.
    SDL_Surface* shown = nullptr;
    // The client pixels the open pop-up and overlays cover in `shown` (client coordinates),
    // put back before anything else draws or the covers change.
    Surface under;
    classicui::Rect underArea;

    bool closeBoxSeen = false; // the window's close box was pressed; SDL_QUIT follows

    Backend();
    bool createWindow(const char* title) override;
    void showWindow() override;
    void destroyWindow() override;
    void show() override;
    bool pollInput(classicui::UiEvent& event) override;
    bool waitInput(uint32_t timeoutMs) override;
    void sleepWithoutWindow(uint32_t timeoutMs) override;
    void resized(const classicui::UiEvent& event) override;
    // Puts back the client pixels under the pop-up and the overlays (they are drawn again at
    // the next show): called before the game may draw and when the covers change.
    void restoreUnder() override;
    void startTextInput() override;
    void reportUnseen(std::string_view text, std::string_view caption) override;
};

// The one main window, made before the program starts.
extern Backend mainWindow;
inline Backend& backend() {
    return mainWindow;
}

// The menu bar's height in window pixels.
inline int barHeight() {
    return backend().barHeight();
}
// Takes the window's present size; Size goes to the procedure when it changed.
bool syncWindowSize();
// The audio device is opened by the first sound and closed a moment after the last one
// ends. audioCloseDue: milliseconds from `now` until it may close (UINT32_MAX: closed);
// closeAudioWhenDone closes it once that time has come and nothing is queued. closeAudio
// ends sound altogether, with the window.
uint32_t audioCloseDue(uint32_t now);
void closeAudioWhenDone(uint32_t now);
void closeAudio();
// Sleeps until an SDL event or a gamepad's press waits or timeoutMs passed (UINT32_MAX: no
// timeout), closing the audio device and reading an open gamepad on the way when their time
// comes. True when something waits.
bool waitEvent(uint32_t timeoutMs);
// What is still queued on the device (bytes), and whether there is a device.
uint32_t queuedAudioBytes();
bool audioOpen();

// Gamepads: started with the window and stopped with it. startGamepads watches the system's
// folder of input devices; watchInputDevices watches another (nullptr: none).
void startGamepads();
void stopGamepads();
void watchInputDevices(const char* folder);
// Whether `event` is the watcher's wake-up: the devices are then looked at for a while.
bool isGamepadWake(const SDL_Event& event);
// Milliseconds from `now` until the controllers are to be read (UINT32_MAX: none is open and
// no device is awaited), and the reading, which queues their presses and releases.
uint32_t gamepadReadDue(uint32_t now);
void readGamepads(uint32_t now);
// The next press or release of a gamepad (read first when a reading is due); false for none.
bool takeGamepadInput(classicui::UiEvent& event);
bool gamepadInputWaiting();
// How many controllers are open.
int gamepadsOpen();
// Plugs in a gamepad inside the process (SDL's virtual joystick, for tests and driven runs):
// its joystick, opened, and its device index in `index`; nullptr when SDL refuses.
SDL_Joystick* attachVirtualGamepad(int& index);

} // namespace sdlbackend

// Gamepads through SDL's game controller support: taken when plugged in and let go when
// pulled out, their buttons and left stick turned into the window's input. SDL would poll
// every millisecond while a joystick is open if its events were on; the controllers are read
// here instead, every PadPollMs while one is open, and not at all while none is: a thread
// that sleeps on the system's folder of input devices wakes the loop when one comes.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_state.h"

#ifdef __linux__
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace sdlbackend {

namespace {

using classicui::UiEvent;
using classicui::UiKey;

// How often the open controllers are read; how often the devices are looked at for a while
// after the folder of input devices changed (the system takes a moment to let the game open
// a new device); and at most how often, without a controller, the loop's own passes look
// (where no folder can be watched).
constexpr uint32_t PadPollMs = 25;
constexpr uint32_t DeviceLookMs = 100;
constexpr uint32_t DeviceLookForMs = 3000;
constexpr uint32_t PassLookMs = 1000;
// The left stick pushes a direction once it leans past half way, and lets go of it once it
// is back under a quarter, so that a stick resting near a threshold does not flicker.
constexpr int StickPressed = 16384;
constexpr int StickReleased = 8192;

// The buttons a gamepad gives, as bits of a mask, with the keys they are.
constexpr struct {
    SDL_GameControllerButton button;
    UiKey key;
} Buttons[] = {
    {SDL_CONTROLLER_BUTTON_A, UiKey::PadA},
    {SDL_CONTROLLER_BUTTON_B, UiKey::PadB},
    {SDL_CONTROLLER_BUTTON_BACK, UiKey::PadBack},
    {SDL_CONTROLLER_BUTTON_START, UiKey::PadStart},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, UiKey::PadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, UiKey::PadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, UiKey::PadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, UiKey::PadRight},
};
constexpr unsigned UpBit = 1u << 4, DownBit = 1u << 5, LeftBit = 1u << 6, RightBit = 1u << 7;

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    unsigned stick = 0; // directions the stick pushes
    unsigned held = 0;  // buttons and directions down at the last reading
};

struct Gamepads {
    bool started = false;
    std::vector<Pad> pads;
    std::vector<UiEvent> input; // presses and releases not yet taken, oldest first
    uint32_t lastRead = 0;
    uint32_t lookUntil = 0; // devices are looked at until then (a folder change)
    bool looking = false;
    Uint32 wakeType = 0; // the event the watcher thread wakes the loop with
#ifdef __linux__
    std::thread watcher;
    int stopWatching = -1; // an eventfd the watcher also sleeps on
#endif
};
Gamepads g;

// The directions one stick axis pushes, kept between readings.
unsigned axisBits(int value, unsigned before, unsigned lessBit, unsigned moreBit) {
    unsigned bits = before & (lessBit | moreBit);
    if (value <= -StickPressed) bits = lessBit;
    if (value >= StickPressed) bits = moreBit;
    if (value > -StickReleased && value < StickReleased) bits = 0;
    return bits;
}

void queue(UiEvent::Kind kind, UiKey key) {
    UiEvent e;
    e.kind = kind;
    e.key = key;
    g.input.push_back(e);
}

// The presses and releases between two readings of a pad.
void queueChanges(unsigned before, unsigned now) {
    for (size_t i = 0; i < std::size(Buttons); ++i) {
        const unsigned bit = 1u << i;
        if ((before & bit) == (now & bit)) continue;
        queue((now & bit) != 0 ? UiEvent::Kind::Key : UiEvent::Kind::KeyUp, Buttons[i].key);
    }
}

// Reads a pad; the presses and releases since its last reading are queued when `report`.
void readPad(Pad& pad, bool report = true) {
    unsigned held = 0;
    for (size_t i = 0; i < std::size(Buttons); ++i)
        if (SDL_GameControllerGetButton(pad.controller, Buttons[i].button) != 0) held |= 1u << i;
    const int x = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY);
    pad.stick = axisBits(x, pad.stick, LeftBit, RightBit) | axisBits(y, pad.stick, UpBit, DownBit);
    held |= pad.stick;
    if (report) queueChanges(pad.held, held);
    pad.held = held;
}

// Lets go of the controllers pulled out, takes the ones plugged in.
void followDevices() {
    for (auto it = g.pads.begin(); it != g.pads.end();) {
        if (SDL_GameControllerGetAttached(it->controller) == SDL_TRUE) {
            ++it;
            continue;
        }
        queueChanges(it->held, 0); // what it held is let go with it
        SDL_GameControllerClose(it->controller);
        it = g.pads.erase(it);
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        const bool known =
            std::any_of(g.pads.begin(), g.pads.end(), [id](const Pad& p) { return p.id == id; });
        if (known || SDL_IsGameController(i) != SDL_TRUE) continue;
        SDL_GameController* controller = SDL_GameControllerOpen(i);
        if (controller == nullptr) continue;
        Pad pad;
        pad.controller = controller;
        pad.id = id;
        g.pads.push_back(pad);
        readPad(g.pads.back(), false); // what it holds as it comes is no press
    }
}

#ifdef __linux__
// Sleeps on the folder of input devices and wakes the loop at every change in it, until told
// to stop.
void watchFolder(int inotify, int stop, Uint32 wakeType) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{inotify, POLLIN, 0}, {stop, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents != 0) break;
        if (read(inotify, buffer, sizeof buffer) <= 0) continue;
        SDL_Event wake{};
        wake.type = wakeType;
        SDL_PushEvent(&wake);
    }
    close(inotify);
}
#endif

} // namespace

void startGamepads() {
    if (g.started) return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    // Read here, not by SDL's events: those would have SDL's wait poll.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    g.started = true;
    g.wakeType = SDL_RegisterEvents(1);
    readGamepads(platform::GetTicks()); // the controllers plugged in already
    watchInputDevices("/dev/input");
}

void watchInputDevices(const char* folder) {
#ifdef __linux__
    if (g.watcher.joinable()) {
        const uint64_t one = 1;
        (void)!write(g.stopWatching, &one, sizeof one);
        g.watcher.join();
        close(g.stopWatching);
        g.stopWatching = -1;
    }
    if (folder == nullptr || !g.started || g.wakeType == static_cast<Uint32>(-1)) return;
    const int inotify = inotify_init1(IN_CLOEXEC);
    if (inotify < 0) return;
    if (inotify_add_watch(inotify, folder, IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO) < 0) {
        close(inotify); // no such folder: no device will come
        return;
    }
    g.stopWatching = eventfd(0, EFD_CLOEXEC);
    if (g.stopWatching < 0) {
        close(inotify);
        return;
    }
    g.watcher = std::thread(watchFolder, inotify, g.stopWatching, g.wakeType);
#else
    (void)folder;
#endif
}

SDL_Joystick* attachVirtualGamepad(int& index) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "virtual gamepad";
    index = SDL_JoystickAttachVirtualEx(&desc);
    return index >= 0 ? SDL_JoystickOpen(index) : nullptr;
}

void stopGamepads() {
    if (!g.started) return;
    watchInputDevices(nullptr);
    for (Pad& pad : g.pads)
        SDL_GameControllerClose(pad.controller);
    g = Gamepads{};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool isGamepadWake(const SDL_Event& event) {
    if (!g.started || event.type != g.wakeType) return false;
    const uint32_t now = platform::GetTicks();
    g.lookUntil = now + DeviceLookForMs;
    g.looking = true;
    g.lastRead = now - DeviceLookMs; // a look is due at once
    return true;
}

uint32_t gamepadReadDue(uint32_t now) {
    if (!g.started) return UINT32_MAX;
    if (g.looking && now - g.lookUntil < UINT32_MAX / 2) g.looking = false;
    if (g.pads.empty() && !g.looking) return UINT32_MAX;
    const uint32_t every = g.pads.empty() ? DeviceLookMs : PadPollMs;
    const uint32_t since = now - g.lastRead;
    return since >= every ? 0 : every - since;
}

void readGamepads(uint32_t now) {
    if (!g.started) return;
    g.lastRead = now;
    SDL_GameControllerUpdate();
    followDevices();
    for (Pad& pad : g.pads)
        readPad(pad);
}

bool takeGamepadInput(UiEvent& event) {
    if (!g.started) return false;
    const uint32_t now = platform::GetTicks();
    const uint32_t every = !g.pads.empty() ? PadPollMs : g.looking ? DeviceLookMs : PassLookMs;
    if (g.input.empty() && now - g.lastRead >= every) readGamepads(now);
    if (g.input.empty()) return false;
    event = g.input.front();
    g.input.erase(g.input.begin());
    return true;
}

bool gamepadInputWaiting() {
    return !g.input.empty();
}

int gamepadsOpen() {
    return static_cast<int>(g.pads.size());
}

} // namespace sdlbackend

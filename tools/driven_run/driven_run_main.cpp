// The game on the desktop backend with switches for tests and measurements; players never run it.
//
// glimora_driven [--autoplay] [--busy-loop] [--close-after-ms N] [--print-opening]
//                [--press-at-game-over] [--say-game-over] [--command ID] [--virtual-gamepad]
//                [--gamepad-presses LIST]
//   --autoplay          start a game at once, as if Play had been clicked, and say so (a saved
//                       game in progress is dropped: use it on files made for the run)
//   --busy-loop         poll without ever waiting, as a loop that never sleeps would
//   --close-after-ms N  press the window's close box N ms after start-up, printing the screen
//   --print-opening     print the first two elements that enter the pile, then close
//   --press-at-game-over  press and release on the board as soon as GAME OVER is shown, and say so
//   --say-game-over     say when GAME OVER is shown (for a script that then acknowledges it)
//   --command ID        choose the menu command ID once started (9073 Help, 9076 HighScore,
//                       9077 Pause in English)
//   --virtual-gamepad   plug in a gamepad of SDL's own, inside the process, once started: the
//                       game takes it as it takes one plugged in (its cost when idle)
//   --gamepad-presses LIST  plug in that gamepad and press its buttons one after the other,
//                       200 ms apart from 1 s after start-up, each held 100 ms: a comma list
//                       of a, b, back, start, up, down, left, right
// It reads the same configuration and files as the game beside which it is built.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "shell/program_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace {

struct Switches {
    bool autoplay = false;
    bool busyLoop = false;
    bool closeLater = false;
    uint32_t closeAfterMs = 0;
    bool printOpening = false;
    bool pressAtGameOver = false;
    bool sayGameOver = false;
    int command = 0;
    bool virtualGamepad = false;
    std::vector<SDL_GameControllerButton> padPresses;
};

// The buttons --gamepad-presses names.
bool ParsePresses(const char* list, std::vector<SDL_GameControllerButton>& presses) {
    static constexpr struct {
        const char* name;
        SDL_GameControllerButton button;
    } names[] = {{"a", SDL_CONTROLLER_BUTTON_A},
                 {"b", SDL_CONTROLLER_BUTTON_B},
                 {"back", SDL_CONTROLLER_BUTTON_BACK},
                 {"start", SDL_CONTROLLER_BUTTON_START},
                 {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
                 {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
                 {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
                 {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
    std::string rest = list;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string name = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const auto* found = std::find_if(std::begin(names), std::end(names),
                                         [&name](const auto& n) { return name == n.name; });
        if (found == std::end(names)) return false;
        presses.push_back(found->button);
    }
    return true;
}

bool ParseSwitches(int argc, char** argv, Switches& s) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--autoplay") == 0) {
            s.autoplay = true;
        } else if (std::strcmp(a, "--busy-loop") == 0) {
            s.busyLoop = true;
        } else if (std::strcmp(a, "--press-at-game-over") == 0) {
            s.pressAtGameOver = true;
        } else if (std::strcmp(a, "--say-game-over") == 0) {
            s.sayGameOver = true;
        } else if (std::strcmp(a, "--virtual-gamepad") == 0) {
            s.virtualGamepad = true;
        } else if (std::strcmp(a, "--gamepad-presses") == 0 && i + 1 < argc &&
                   ParsePresses(argv[i + 1], s.padPresses)) {
            s.virtualGamepad = true;
            ++i;
        } else if (std::strcmp(a, "--print-opening") == 0) {
            s.printOpening = true;
        } else if (std::strcmp(a, "--command") == 0 && i + 1 < argc) {
            s.command = static_cast<int>(std::strtol(argv[++i], nullptr, 10));
        } else if (std::strcmp(a, "--close-after-ms") == 0 && i + 1 < argc) {
            s.closeLater = true;
            s.closeAfterMs = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            std::fprintf(stderr, "glimora_driven: unknown switch %s\n", a);
            return false;
        }
    }
    return true;
}

bool Reached(uint32_t moment, uint32_t now) {
    return now - moment < UINT32_MAX / 2;
}

void Close(const char* why) {
    std::printf("Glimora: closing the window on screen %d%s\n", static_cast<int>(Program().Screen),
                why);
    std::fflush(stdout);
    MainWindowProcedure(platform::Event{platform::EventType::Close, 0, 0, 0});
}

} // namespace

int main(int argc, char** argv) {
    Switches s;
    if (!ParseSwitches(argc, argv, s)) return 2;
    if (!StartUp()) return 1;
    ProgramState& p = Program();
    if (s.autoplay || s.printOpening) {
        p.game.Paused = 0;
        p.PauseOverlayPending = 0;
        StartNewGame();
        // A script may wait for this line before it acts on the running game.
        if (s.autoplay) {
            std::printf("Glimora: playing\n");
            std::fflush(stdout);
        }
    }
    if (s.command != 0)
        MainWindowProcedure(platform::Event{platform::EventType::Command, 0, 0, s.command});
    SDL_Joystick* pad = nullptr;
    if (s.virtualGamepad) {
        int index = -1;
        pad = sdlbackend::attachVirtualGamepad(index);
        if (pad == nullptr)
            std::fprintf(stderr, "glimora_driven: no virtual gamepad: %s\n", SDL_GetError());
        // A device plugged in wakes the game through the system's folder of input devices;
        // this one, plugged in inside the process, is looked for at once instead.
        sdlbackend::readGamepads(platform::GetTicks());
    }
    // The gamepad's presses: the next change (2 per press: down, then up) and when it is due.
    const uint32_t padStart = platform::GetTicks() + 1000;
    size_t padChange = 0;
    const auto padChangeAt = [&] {
        return padStart + static_cast<uint32_t>(padChange / 2 * 200 + padChange % 2 * 100);
    };
    bool gameOverSaid = false;
    const uint32_t closeAt = platform::GetTicks() + s.closeAfterMs;
    bool closeSent = false;
    while (MainLoopPass()) {
        const uint32_t now = platform::GetTicks();
        if (!closeSent && s.printOpening && p.game.pileCount >= 2) {
            const auto& first = p.game.slots[0];
            const auto& second = p.game.slots[1];
            std::printf("opening: %d/%d %d/%d\n", static_cast<int>(first.kind),
                        static_cast<int>(first.color), static_cast<int>(second.kind),
                        static_cast<int>(second.color));
            closeSent = true;
            Close("");
            continue;
        }
        if (s.sayGameOver && !gameOverSaid && p.game.GameOverClickArmed) {
            gameOverSaid = true;
            std::printf("Glimora: GAME OVER shown\n");
            std::fflush(stdout);
        }
        if (s.pressAtGameOver && p.game.GameOverClickArmed) {
            MainWindowProcedure(platform::Event{platform::EventType::LeftDown, 240, 240, 0});
            MainWindowProcedure(platform::Event{platform::EventType::LeftUp, 240, 240, 0});
            std::printf("Glimora: pressed on GAME OVER\n");
            std::fflush(stdout);
        }
        if (!closeSent && s.closeLater && Reached(closeAt, now)) {
            closeSent = true;
            Close("");
            continue;
        }
        const bool padPressing = pad != nullptr && padChange < 2 * s.padPresses.size();
        if (padPressing && Reached(padChangeAt(), now)) {
            SDL_JoystickSetVirtualButton(pad, s.padPresses[padChange / 2], padChange % 2 == 0);
            ++padChange;
        }
        if (s.busyLoop || p.lastPassDispatched) continue;
        uint32_t timeout = TimeUntilDue(now);
        if (s.closeLater && !closeSent) timeout = std::min(timeout, closeAt - now);
        if (padPressing)
            timeout = std::min(timeout, Reached(padChangeAt(), now) ? 0 : padChangeAt() - now);
        if (timeout > 0) platform::WaitForEvent(timeout);
    }
    return p.exitCode;
}

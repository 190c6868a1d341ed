// A minimal program on the SDL backend whose loop waits like the game's, for measuring
// what the backend alone costs in processor time when idle or stepping every 100 ms.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {

int frame = 0;

void paintAll() {
    Surface& s = platform::WindowSurface();
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            s.at(x, y) = ((x / 48 + y / 48) % 2) != 0 ? 0xC0C0C0u : 0x808080u;
    platform::WindowUpdated(0, 0, s.width, s.height);
}

// One step of a fake animation: a 48 x 48 square moves along the top row.
void step() {
    Surface& s = platform::WindowSurface();
    int x0 = (frame % 10) * 48;
    ++frame;
    for (int y = 0; y < 48 && y < s.height; ++y)
        for (int x = x0; x < x0 + 48 && x < s.width; ++x)
            s.at(x, y) ^= 0xFFFFFFu;
    platform::WindowUpdated(x0, 0, 48, 48);
}

void procedure(const platform::Event& e) {
    if (e.type == platform::EventType::Paint) paintAll();
    if (e.type == platform::EventType::Close) platform::DestroyMainWindow();
    if (e.type == platform::EventType::Destroy) platform::PostQuit(0);
}

bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && std::strcmp(v, "1") == 0;
}

const MenuBar noMenu{"MAINMENUENG", {}};

} // namespace

int main() {
    // GLIMORA_BUSY_LOOP=1: poll without ever waiting, as a loop that never sleeps would.
    // GLIMORA_PROBE_STEPS=1: something is due every 100 ms, as in a running game.
    bool busy = envSet("GLIMORA_BUSY_LOOP");
    bool steps = envSet("GLIMORA_PROBE_STEPS");
    if (!platform::OpenMainWindow("Glimora", procedure, noMenu)) return 1;
    uint32_t due = platform::GetTicks() + 100;
    int code = 0;
    for (;;) {
        platform::PumpResult r = platform::PumpOne(code);
        if (r == platform::PumpResult::Quit) break;
        uint32_t now = platform::GetTicks();
        if (steps && static_cast<int32_t>(now - due) >= 0) {
            step();
            due = now + 100;
        }
        if (r == platform::PumpResult::Idle && !busy) {
            uint32_t timeout = steps ? due - now : UINT32_MAX;
            if (steps && static_cast<int32_t>(due - now) < 0) timeout = 0;
            platform::WaitForEvent(timeout);
        }
    }
    return code;
}

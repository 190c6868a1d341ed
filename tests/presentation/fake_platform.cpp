// Link-time stand-ins for the platform functions the drawing calls: a client-sized window
// surface, and recorders of the rectangles reported and the sounds played.
#include "platform/platform.h"
#include "tests/presentation/drawing_fixture.h"

namespace {
Surface window(480, 480, 0);
std::vector<UpdateRect> updates;
std::vector<int> sounds;
} // namespace

std::vector<int>& SoundsPlayed() {
    return sounds;
}

Surface& TestWindow() {
    return window;
}
std::vector<UpdateRect>& Updates() {
    return updates;
}

namespace platform {
Surface& WindowSurface() {
    return window;
}
void WindowUpdated(int x, int y, int width, int height) {
    updates.push_back({x, y, width, height});
}
void PlayWave(int id) {
    sounds.push_back(id);
}
uint32_t GetTicks() {
    return 0;
}
} // namespace platform

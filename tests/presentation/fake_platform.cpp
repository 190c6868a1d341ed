// Link-time stand-ins for the platform functions that the presentation calls.
#include "tests/presentation/fake_platform.h"

#include "platform/platform.h"
#include "presentation/canvas.h"

namespace {
Surface window(480, 480, 0);
std::vector<fake::Rect> updates;
std::vector<int> sounds;
uint32_t ticks = 0;
} // namespace

namespace fake {
void ResetWindow(int width, int height, uint32_t fill) {
    ClientWidth = width;
    ClientHeight = height;
    window = Surface(width, height, fill);
    ClearRecords();
}
Surface& Window() {
    return window;
}
const std::vector<Rect>& Updates() {
    return updates;
}
const std::vector<int>& Sounds() {
    return sounds;
}
void ClearRecords() {
    updates.clear();
    sounds.clear();
}
void SetTicks(uint32_t t) {
    ticks = t;
}
} // namespace fake

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
    return ticks;
}
} // namespace platform

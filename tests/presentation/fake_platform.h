// A stand-in for the platform functions the drawing calls: a client-sized window surface that
// records the rectangles reported, and a sound recorder.
#pragma once

#include <cstddef> // surface.h uses size_t without including it
#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace fake {

struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
};

// Sets the client size (ClientWidth, ClientHeight and the window surface, filled with `fill`)
// and forgets what was recorded.
void ResetWindow(int width, int height, uint32_t fill = 0x000000);
Surface& Window();
const std::vector<Rect>& Updates();
const std::vector<int>& Sounds();
void ClearRecords();
void SetTicks(uint32_t ticks);

} // namespace fake

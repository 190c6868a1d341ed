// Pixel replication of the drawn interface: painted once at its own size, shown k times larger.
#include "platform/classic_ui/scaled_layer.h"

#include <algorithm>

namespace classicui {
namespace {

// Never a colour the interface paints: its colours are 0xRRGGBB.
constexpr uint32_t Untouched = 0xFF000000u;

} // namespace

void DrawScaled(Surface& frame, int k, const std::function<void(Surface&)>& draw) {
    if (k <= 1) {
        draw(frame);
        return;
    }
    Surface layer((frame.width + k - 1) / k, (frame.height + k - 1) / k, Untouched);
    draw(layer);
    for (int y = 0; y < frame.height; ++y) {
        const uint32_t* source = layer.row(y / k);
        uint32_t* target = frame.row(y);
        for (int x = 0; x < frame.width; ++x) {
            const uint32_t p = source[x / k];
            if (p != Untouched) target[x] = p;
        }
    }
}

} // namespace classicui

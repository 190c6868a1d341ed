// A plain 24-bit picture in memory: the window surface and every bitmap the game draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels are stored one per 32-bit word as 0x00RRGGBB, row by row from the top;
// the top byte is always zero. Raster operations work on the low 24 bits.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Surface() = default;
    Surface(int w, int h, uint32_t fill = 0xFFFFFF)
        : width(w > 0 ? w : 0), height(h > 0 ? h : 0),
          pixels(static_cast<size_t>(width) * static_cast<size_t>(height), fill) {}

    bool empty() const { return width == 0 || height == 0; }
    uint32_t at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
    uint32_t& at(int x, int y) {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

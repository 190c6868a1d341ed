// Decodes the window icon (.ico) into 32-bit ARGB pixels for the window manager.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace classicui {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb; // 0xAARRGGBB, rows from the top
    bool empty() const { return argb.empty(); }
};

// The largest BMP-coded image of the icon file (1, 4, 8, 24 or 32 bits a pixel, with its
// transparency mask); PNG-coded images are skipped. Empty when there is none or the bytes
// are not a valid icon file.
IconImage DecodeLargestIcon(std::span<const uint8_t> bytes);

} // namespace classicui

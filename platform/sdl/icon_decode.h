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

// The largest image of the icon file: BMP-coded (1, 4, 8, 24 or 32 bits a pixel, with its
// transparency mask) or PNG-coded (8-bit RGB or RGBA, as the 256-pixel size is). Empty when
// there is none or the bytes are not a valid icon file.
IconImage DecodeLargestIcon(std::span<const uint8_t> bytes);

} // namespace classicui

// Readers of the embedded BMP files for the resource checks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/surface.h"

uint32_t le32(std::span<const uint8_t> b, size_t at);
uint16_t le16(std::span<const uint8_t> b, size_t at);

// The embedded bitmap `id` decoded by the game's own decoder; fails the calling test when it is
// missing, not a 24-bit BMP or not stored bottom-up.
using Picture = Surface;
Picture bitmap(int id);

// Every bitmap id of the game with its width and height.
struct BitmapSize {
    int id, width, height;
};
std::vector<BitmapSize> allBitmapSizes();

// Perceived lightness of a colour, 0 (black) to 255 (white).
int lightness(uint32_t rgb);

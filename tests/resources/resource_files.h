// Readers of the embedded BMP and WAVE files for the resource checks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/surface.h"

uint32_t le32(std::span<const uint8_t> b, size_t at);
uint16_t le16(std::span<const uint8_t> b, size_t at);

// The embedded bitmap `id` decoded by the game's own decoder; fails the calling test when it is
// missing, not a 24-bit BMP or not stored bottom-up.
using Picture = Surface;
Picture bitmap(int id);

struct Wave {
    int formatTag = 0;
    int channels = 0;
    int rate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    std::vector<uint8_t> fmtExtra; // bytes after the 16-byte PCM part of the fmt chunk
    uint32_t factFrames = 0;       // 0 when there is no fact chunk
    std::span<const uint8_t> data;
};
std::optional<Wave> parseWave(std::span<const uint8_t> file);

// Every bitmap id of the game with its width and height.
struct BitmapSize {
    int id, width, height;
};
std::vector<BitmapSize> allBitmapSizes();

// Perceived lightness of a colour, 0 (black) to 255 (white).
int lightness(uint32_t rgb);

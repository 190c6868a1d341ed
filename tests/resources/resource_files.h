// Small independent readers of the embedded BMP and WAVE files for the resource checks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

uint32_t le32(std::span<const uint8_t> b, size_t at);
uint16_t le16(std::span<const uint8_t> b, size_t at);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xRRGGBB, top row first
    uint32_t at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// Decodes an uncompressed, bottom-up, 24-bit BMP with a BITMAPINFOHEADER; nothing else.
std::optional<Picture> decodeBmp24(std::span<const uint8_t> file);
// The embedded bitmap `id`, decoded; fails the calling test when it is missing or malformed.
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

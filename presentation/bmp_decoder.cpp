// Decodes uncompressed 24-bit BMP files into surfaces, trusting none of their bytes.
#include "presentation/bmp_decoder.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;   // BITMAPCOREHEADER: 16-bit sizes
constexpr size_t InfoHeaderSize = 40;   // BITMAPINFOHEADER and its longer successors
constexpr uint32_t UncompressedRgb = 0; // BI_RGB

uint16_t u16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t u32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
int32_t i32(std::span<const uint8_t> b, size_t at) {
    return static_cast<int32_t>(u32(b, at));
}

} // namespace

Surface DecodeBmp(std::span<const uint8_t> bytes) {
    if (bytes.size() < FileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const uint32_t pixelOffset = u32(bytes, 10);
    const uint32_t headerSize = u32(bytes, FileHeaderSize);
    if (headerSize > bytes.size() - FileHeaderSize) return {};

    int64_t width = 0;
    int64_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = UncompressedRgb;
    if (headerSize == CoreHeaderSize) {
        width = u16(bytes, FileHeaderSize + 4);
        height = u16(bytes, FileHeaderSize + 6);
        planes = u16(bytes, FileHeaderSize + 8);
        bitCount = u16(bytes, FileHeaderSize + 10);
    } else if (headerSize >= InfoHeaderSize) {
        width = i32(bytes, FileHeaderSize + 4);
        height = i32(bytes, FileHeaderSize + 8);
        planes = u16(bytes, FileHeaderSize + 12);
        bitCount = u16(bytes, FileHeaderSize + 14);
        compression = u32(bytes, FileHeaderSize + 16);
    } else {
        return {};
    }
    if (planes != 1 || bitCount != 24 || compression != UncompressedRgb) return {};

    // A negative height stores the rows from the top down.
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide) return {};

    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t dataSize = stride * static_cast<size_t>(height);
    if (pixelOffset < FileHeaderSize + headerSize || pixelOffset > bytes.size() ||
        dataSize > bytes.size() - pixelOffset)
        return {};

    Surface surface(static_cast<int>(width), static_cast<int>(height), 0);
    for (int64_t row = 0; row < height; ++row) {
        const int64_t y = topDown ? row : height - 1 - row;
        const uint8_t* in = bytes.data() + pixelOffset + static_cast<size_t>(row) * stride;
        uint32_t* out = surface.row(static_cast<int>(y));
        int64_t x = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Blue, green, red and the next pixel's blue, read as one word: 0x..RRGGBB. The
            // row's last pixel is read alone, as its word may end past the data.
            for (; x + 1 < width; ++x, in += 3) {
                uint32_t word;
                std::memcpy(&word, in, sizeof word);
                out[x] = word & 0xFFFFFF;
            }
        }
        for (; x < width; ++x, in += 3)
            out[x] = rgb(in[2], in[1], in[0]);
    }
    return surface;
}

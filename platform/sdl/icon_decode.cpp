// Reads an icon file's directory and decodes its largest BMP image, checking every offset.
#include "platform/sdl/icon_decode.h"

#include <cstddef>

namespace classicui {
namespace {

uint32_t u16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at] | (b[at + 1] << 8));
}
uint32_t u32(std::span<const uint8_t> b, size_t at) {
    return u16(b, at) | (u16(b, at + 2) << 16);
}

// Row size in bytes of `width` pixels of `bits` each, padded to 4 bytes.
size_t stride(size_t width, size_t bits) {
    return ((width * bits + 31) / 32) * 4;
}

IconImage decodeBmp(std::span<const uint8_t> img) {
    IconImage out;
    if (img.size() < 40) return out;
    uint32_t headerSize = u32(img, 0);
    auto width = static_cast<int32_t>(u32(img, 4));
    auto doubleHeight = static_cast<int32_t>(u32(img, 8));
    uint32_t bits = u16(img, 14);
    uint32_t compression = u32(img, 16);
    uint32_t colorsUsed = u32(img, 32);
    if (headerSize < 40 || headerSize > img.size() || compression != 0) return out;
    if (width <= 0 || width > 512 || doubleHeight <= 0 || doubleHeight > 1024) return out;
    int height = doubleHeight / 2;
    if (height <= 0) return out;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return out;

    size_t paletteCount = 0;
    if (bits <= 8) paletteCount = colorsUsed != 0 ? colorsUsed : (1u << bits);
    if (paletteCount > 256) return out;
    size_t palette = headerSize;
    size_t pixels = palette + paletteCount * 4;
    auto w = static_cast<size_t>(width);
    auto h = static_cast<size_t>(height);
    size_t xorStride = stride(w, bits);
    size_t maskStride = stride(w, 1);
    size_t mask = pixels + xorStride * h;
    if (mask + maskStride * h > img.size()) return out;

    out.width = width;
    out.height = height;
    out.argb.assign(w * h, 0);
    bool anyAlpha = false;
    for (size_t row = 0; row < h; ++row) {
        size_t src = pixels + (h - 1 - row) * xorStride; // bottom-up
        for (size_t x = 0; x < w; ++x) {
            uint32_t color = 0;
            if (bits == 32) {
                size_t p = src + x * 4;
                color = img[p + 2] << 16 | img[p + 1] << 8 | img[p] |
                        static_cast<uint32_t>(img[p + 3]) << 24;
                if (img[p + 3] != 0) anyAlpha = true;
            } else if (bits == 24) {
                size_t p = src + x * 3;
                color = img[p + 2] << 16 | img[p + 1] << 8 | img[p];
            } else {
                size_t bitPos = x * bits;
                uint8_t byte = img[src + bitPos / 8];
                size_t shift = 8 - bits - (bitPos % 8);
                size_t index = (byte >> shift) & ((1u << bits) - 1);
                if (index < paletteCount) {
                    size_t p = palette + index * 4;
                    color = img[p + 2] << 16 | img[p + 1] << 8 | img[p];
                }
            }
            out.argb[row * w + x] = color;
        }
    }
    if (!anyAlpha) {
        // The AND mask: a set bit is transparent.
        for (size_t row = 0; row < h; ++row) {
            size_t src = mask + (h - 1 - row) * maskStride;
            for (size_t x = 0; x < w; ++x) {
                bool transparent = (img[src + x / 8] >> (7 - x % 8)) & 1;
                uint32_t& px = out.argb[row * w + x];
                px = (px & 0xFFFFFFu) | (transparent ? 0u : 0xFF000000u);
            }
        }
    }
    return out;
}

} // namespace

IconImage DecodeLargestIcon(std::span<const uint8_t> bytes) {
    IconImage best;
    if (bytes.size() < 6 || u16(bytes, 0) != 0 || u16(bytes, 2) != 1) return best;
    size_t count = u16(bytes, 4);
    if (6 + count * 16 > bytes.size()) return best;
    for (size_t i = 0; i < count; ++i) {
        size_t entry = 6 + i * 16;
        size_t size = u32(bytes, entry + 8);
        size_t offset = u32(bytes, entry + 12);
        if (offset >= bytes.size() || size > bytes.size() - offset || size < 8) continue;
        auto img = bytes.subspan(offset, size);
        if (img[0] == 0x89 && img[1] == 'P' && img[2] == 'N' && img[3] == 'G') continue;
        IconImage decoded = decodeBmp(img);
        if (!decoded.empty() && decoded.argb.size() > best.argb.size()) best = std::move(decoded);
    }
    return best;
}

} // namespace classicui

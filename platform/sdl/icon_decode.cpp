// Reads an icon file's directory and decodes its largest BMP or PNG image, checking every offset.
#include "platform/sdl/icon_decode.h"

#include <zlib.h>

#include <cstddef>
#include <cstdlib>

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

uint32_t u32be(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) << 24 | static_cast<uint32_t>(b[at + 1]) << 16 |
           static_cast<uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

bool isPng(std::span<const uint8_t> img) {
    static constexpr uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (img.size() < 8) return false;
    for (size_t i = 0; i < 8; ++i)
        if (img[i] != signature[i]) return false;
    return true;
}

uint8_t paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(pb <= pc ? up : upLeft);
}

// An 8-bit RGB or RGBA, non-interlaced PNG: what icon files hold for their large sizes.
IconImage decodePng(std::span<const uint8_t> img) {
    IconImage out;
    uint32_t width = 0, height = 0, channels = 0;
    std::vector<uint8_t> packed;
    for (size_t at = 8; at + 12 <= img.size();) {
        const uint32_t length = u32be(img, at);
        if (length > img.size() - at - 12) return out;
        const auto data = img.subspan(at + 8, length);
        const uint32_t type = u32be(img, at + 4);
        if (type == 0x49484452 && length >= 13) { // IHDR
            width = u32be(data, 0);
            height = u32be(data, 4);
            channels = data[9] == 6 ? 4 : data[9] == 2 ? 3 : 0;
            if (data[8] != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0) channels = 0;
        } else if (type == 0x49444154) { // IDAT
            packed.insert(packed.end(), data.begin(), data.end());
        } else if (type == 0x49454E44) { // IEND
            break;
        }
        at += 12 + length;
    }
    if (channels == 0 || width == 0 || width > 512 || height == 0 || height > 512) return out;
    const size_t rowBytes = width * channels;
    std::vector<uint8_t> raw((rowBytes + 1) * height);
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) !=
            Z_OK ||
        rawSize != raw.size())
        return out;

    // Undo each row's filter in place; the row above is already plain.
    for (size_t y = 0; y < height; ++y) {
        uint8_t* row = raw.data() + y * (rowBytes + 1) + 1;
        const uint8_t* above = y > 0 ? row - (rowBytes + 1) : nullptr;
        const uint8_t filter = row[-1];
        if (filter > 4) return out;
        for (size_t i = 0; i < rowBytes; ++i) {
            const int left = i >= channels ? row[i - channels] : 0;
            const int up = above != nullptr ? above[i] : 0;
            const int upLeft = above != nullptr && i >= channels ? above[i - channels] : 0;
            const int add = filter == 1   ? left
                            : filter == 2 ? up
                            : filter == 3 ? (left + up) / 2
                            : filter == 4 ? paeth(left, up, upLeft)
                                          : 0;
            row[i] = static_cast<uint8_t>(row[i] + add);
        }
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.argb.resize(static_cast<size_t>(width) * height);
    for (size_t y = 0; y < height; ++y)
        for (size_t x = 0; x < width; ++x) {
            const uint8_t* p = raw.data() + y * (rowBytes + 1) + 1 + x * channels;
            const uint32_t alpha = channels == 4 ? p[3] : 0xFF;
            out.argb[y * width + x] = alpha << 24 | static_cast<uint32_t>(p[0]) << 16 |
                                      static_cast<uint32_t>(p[1]) << 8 | p[2];
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
        IconImage decoded = isPng(img) ? decodePng(img) : decodeBmp(img);
        if (!decoded.empty() && decoded.argb.size() > best.argb.size()) best = std::move(decoded);
    }
    return best;
}

} // namespace classicui

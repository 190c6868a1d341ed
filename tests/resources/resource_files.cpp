// Independent BMP and WAVE readers used to check the embedded resource files.
#include "tests/resources/resource_files.h"

#include <gtest/gtest.h>

#include "resources/resources.h"

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

std::optional<Picture> decodeBmp24(std::span<const uint8_t> f) {
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return std::nullopt;
    if (le32(f, 14) != 40 || le16(f, 26) != 1 || le16(f, 28) != 24 || le32(f, 30) != 0)
        return std::nullopt;
    int32_t w = static_cast<int32_t>(le32(f, 18)), h = static_cast<int32_t>(le32(f, 22));
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return std::nullopt; // bottom-up only
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    size_t offset = le32(f, 10);
    if (offset < 54 || offset + stride * static_cast<size_t>(h) > f.size()) return std::nullopt;
    Picture p;
    p.width = w;
    p.height = h;
    p.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        size_t row = offset + stride * static_cast<size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            size_t i = row + static_cast<size_t>(x) * 3;
            p.pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                (static_cast<uint32_t>(f[i + 2]) << 16) | (static_cast<uint32_t>(f[i + 1]) << 8) |
                f[i];
        }
    }
    return p;
}

Picture bitmap(int id) {
    auto bytes = ResourceBytes(ResourceKind::Bitmap, id);
    auto p = decodeBmp24(bytes);
    EXPECT_TRUE(p.has_value()) << "bitmap " << id << " is missing or not a 24-bit bottom-up BMP";
    return p.value_or(Picture{});
}

std::optional<Wave> parseWave(std::span<const uint8_t> f) {
    if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
        std::string(f.begin() + 8, f.begin() + 12) != "WAVE")
        return std::nullopt;
    if (le32(f, 4) + 8 != f.size()) return std::nullopt;
    Wave w;
    bool haveFmt = false, haveData = false;
    size_t at = 12;
    while (at + 8 <= f.size()) {
        std::string tag(f.begin() + static_cast<long>(at), f.begin() + static_cast<long>(at) + 4);
        size_t size = le32(f, at + 4);
        if (at + 8 + size > f.size()) return std::nullopt;
        auto body = f.subspan(at + 8, size);
        if (tag == "fmt " && size >= 16) {
            w.formatTag = le16(body, 0);
            w.channels = le16(body, 2);
            w.rate = static_cast<int>(le32(body, 4));
            w.blockAlign = le16(body, 12);
            w.bitsPerSample = le16(body, 14);
            w.fmtExtra.assign(body.begin() + 16, body.end());
            haveFmt = true;
        } else if (tag == "fact" && size >= 4) {
            w.factFrames = le32(body, 0);
        } else if (tag == "data") {
            w.data = body;
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFmt || !haveData) return std::nullopt;
    return w;
}

std::vector<BitmapSize> allBitmapSizes() {
    std::vector<BitmapSize> all;
    for (int id = 100; id <= 115; ++id)
        all.push_back({id, 48, 48});
    for (int id = 116; id <= 123; ++id)
        all.push_back({id, 96, 96});
    all.push_back({124, 450, 180});
    for (int id = 150; id <= 153; ++id)
        all.push_back({id, 240, 108});
    for (int id : {1500, 1501, 2000, 2500, 2501, 2600, 2601})
        all.push_back({id, 480, 480});
    all.push_back({1650, 228, 96});
    all.push_back({1651, 228, 96});
    return all;
}

int lightness(uint32_t c) {
    int r = static_cast<int>((c >> 16) & 0xFF), g = static_cast<int>((c >> 8) & 0xFF),
        b = static_cast<int>(c & 0xFF);
    return (r * 299 + g * 587 + b * 114) / 1000;
}

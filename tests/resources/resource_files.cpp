// BMP readers used to check the embedded resource files.
#include "tests/resources/resource_files.h"

#include <gtest/gtest.h>

#include "presentation/bmp_decoder.h"
#include "resources/resources.h"

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

Picture bitmap(int id) {
    auto bytes = ResourceBytes(ResourceKind::Bitmap, id);
    Picture p = DecodeBmp(bytes);
    EXPECT_FALSE(p.empty()) << "bitmap " << id << " is missing or not a 24-bit BMP";
    EXPECT_TRUE(bytes.size() >= 26 && static_cast<int32_t>(le32(bytes, 22)) > 0)
        << "bitmap " << id << " is not stored bottom-up";
    return p;
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

// Reading little-endian numbers out of file images in the tests, independently of the product.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline int32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(b.at(at)) | static_cast<uint32_t>(b.at(at + 1)) << 8 |
        static_cast<uint32_t>(b.at(at + 2)) << 16 | static_cast<uint32_t>(b.at(at + 3)) << 24);
}

inline void setLe32(std::vector<uint8_t>& b, size_t at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

inline bool allZero(const std::vector<uint8_t>& b, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (b.at(i) != 0) return false;
    return true;
}

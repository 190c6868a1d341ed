// Little-endian reading and writing of the 32-bit fields of the game's files at fixed offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace byte_order {

inline void putI32(std::span<uint8_t> bytes, size_t offset, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    bytes[offset] = static_cast<uint8_t>(v & 0xFFu);
    bytes[offset + 1] = static_cast<uint8_t>((v >> 8) & 0xFFu);
    bytes[offset + 2] = static_cast<uint8_t>((v >> 16) & 0xFFu);
    bytes[offset + 3] = static_cast<uint8_t>((v >> 24) & 0xFFu);
}

inline int32_t getI32(std::span<const uint8_t> bytes, size_t offset) {
    const uint32_t v = static_cast<uint32_t>(bytes[offset]) |
                       (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
                       (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
                       (static_cast<uint32_t>(bytes[offset + 3]) << 24);
    // Two's complement reinterpretation, well defined since C++20.
    return static_cast<int32_t>(v);
}

inline void putBytes(std::span<uint8_t> bytes, size_t offset, const char* from, size_t count) {
    std::memcpy(bytes.data() + offset, from, count);
}

inline void getBytes(std::span<const uint8_t> bytes, size_t offset, char* to, size_t count) {
    std::memcpy(to, bytes.data() + offset, count);
}

} // namespace byte_order

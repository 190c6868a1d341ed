// Little- and big-endian byte appending for the file encoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void put8(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
}
inline void put16(Bytes& b, unsigned v) {
    put8(b, v);
    put8(b, v >> 8);
}
inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void put32be(Bytes& b, uint32_t v) {
    put8(b, v >> 24);
    put8(b, v >> 16);
    put8(b, v >> 8);
    put8(b, v);
}
inline void putTag(Bytes& b, const char* tag) {
    for (int i = 0; i < 4; ++i)
        put8(b, static_cast<unsigned char>(tag[i]));
}
inline void patch32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// Writes the bytes to the file, exiting with a message on failure.
void writeFile(const std::string& path, const Bytes& bytes);

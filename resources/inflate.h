// Decompresses a raw deflate stream: the pictures and sounds are kept compressed in the program.
#pragma once

#include <cstdint>
#include <span>

// Decodes `in` into `out`; true only when the stream is well formed, ends within `in` and
// yields exactly out.size() bytes. A false leaves `out` partly written.
bool Inflate(std::span<const uint8_t> in, std::span<uint8_t> out);

// Decoding of the 24-bit BMP pictures embedded in the program.
#pragma once

#include <cstddef> // surface.h uses size_t without including it
#include <cstdint>
#include <span>

#include "platform/surface.h"

// The largest width or height accepted; every picture of the game is at most 480.
constexpr int MaxBitmapSide = 4096;

// Decodes an uncompressed 24-bit BMP file (bottom-up or top-down rows). Anything else, and
// any file whose headers or pixel data do not fit its bytes, gives an empty Surface.
Surface DecodeBmp(std::span<const uint8_t> bytes);

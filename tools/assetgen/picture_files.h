// Encoders of the picture files: 24-bit BMP, PNG (RGB or RGBA) and the multi-size ICO.
#pragma once

#include <vector>

#include "byte_writer.h"
#include "image.h"

// Bottom-up 24 bits per pixel with a BITMAPINFOHEADER, rows padded to 4 bytes.
Bytes encodeBmp24(const Image& img);
// PNG, 8 bits per channel; with alpha when `withAlpha`.
Bytes encodePng(const Image& img, bool withAlpha);
// Icon file: sizes up to 48 as 32-bit BMP entries with an AND mask, larger ones as PNG.
Bytes encodeIco(const std::vector<Image>& sizes);

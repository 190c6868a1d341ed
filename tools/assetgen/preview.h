// Review pictures of the assets in use: game screens composed as the game composes them, and
// the tiles enlarged.
#pragma once

#include <map>
#include <vector>

#include "byte_writer.h"
#include "image.h"

// `bitmaps` by id; `systemFont` the .gfnt bytes of the system font.
Image makePreview(const std::map<int, Image>& bitmaps, const Bytes& systemFont);
// The tiles 100 to 115 at four times their size, the rings at twice, and the elements 101 to
// 114 dimmed by the gradient square as they rest in the pile.
Image makeTileZoom(const std::map<int, Image>& bitmaps);
// Every glyph of the two fonts at twice their size, and sample lines.
Image makeFontSheet(const Bytes& systemFont, const Bytes& dialogFont);

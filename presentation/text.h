// Text written into surfaces in the system font, with the settings a device context keeps.
#pragma once

#include <cstddef> // surface.h uses size_t without including it
#include <cstdint>
#include <string_view>

#include "platform/surface.h"

struct BitmapFont;

enum class BkMode {
    Transparent, // only the glyph pixels are written
    Opaque,      // the text's cell box is filled with the background colour first
};

// The text settings of one drawing target; the defaults are those of a fresh device context.
struct TextState {
    uint32_t textColor = 0x000000;
    uint32_t bkColor = 0xFFFFFF;
    BkMode bkMode = BkMode::Opaque;
};

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// The font all text is written in: the embedded system font, unless another one was chosen.
const BitmapFont& TextFont();
// Chooses the font text is written in; nullptr goes back to the embedded system font.
void UseTextFont(const BitmapFont* font);

// Width (the sum of the advances) and height (the cell height) of `text`.
TextExtent MeasureText(std::string_view text);

// Writes `text` (Windows-1252) with its cell's top-left at (x, y), clipped to the surface.
void WriteText(Surface& target, const TextState& state, int x, int y, std::string_view text);

// Reads the game's 1-bit bitmap fonts (.gfnt) and draws their glyphs into a Surface.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/surface.h"

struct BitmapFont {
    int cellHeight = 0;
    int ascent = 0;
    int maxWidth = 0;
    std::array<uint8_t, 256> advance{};
    std::vector<uint16_t> rows; // 256 * cellHeight rows, bit 15 = leftmost pixel

    bool valid() const { return cellHeight > 0; }
    // The code drawn for `code`: itself, or '?' when the font has no glyph for it.
    uint8_t glyphFor(uint8_t code) const { return advance[code] != 0 ? code : uint8_t('?'); }
    int advanceOf(uint8_t code) const { return advance[glyphFor(code)]; }
    bool pixel(uint8_t code, int x, int y) const;
};

// Parses a .gfnt file; returns an invalid font (cellHeight 0) when the bytes are not one.
BitmapFont ParseBitmapFont(std::span<const uint8_t> bytes);

// The embedded font `id` (SystemFontId, DialogFontId), parsed once.
const BitmapFont& EmbeddedFont(int id);

// Width of the text in pixels: the sum of its advances.
int TextWidth(const BitmapFont& font, std::string_view text);

// Writes the glyph pixels of `text` (Windows-1252) with the cell's top-left at (x, y) in
// `color`, clipped to the surface; background pixels are left alone.
void DrawGlyphs(Surface& target, const BitmapFont& font, int x, int y, std::string_view text,
                uint32_t color);

// Builds the game's 1-bit .gfnt fonts from DejaVu with FreeType's monochrome rasteriser.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "byte_writer.h"

struct FontRecipe {
    const char* file;    // TrueType source
    int cellHeight;      // rows per glyph
    int ascent;          // baseline row
    int pixelWidth;      // horizontal pixels per em
    int pixelHeight;     // vertical pixels per em
    bool systemAdvances; // force the advance widths of the device's default font
};

// The font file; `report` receives a line per notable adjustment.
Bytes buildBitmapFont(const FontRecipe& recipe, std::string* report);

// Unicode code point of a Windows-1252 byte, 0 when the byte has no character.
unsigned windows1252ToUnicode(uint8_t code);
// Advance width the device's default font gives the code, 0 when not listed.
int systemAdvanceOf(uint8_t code);

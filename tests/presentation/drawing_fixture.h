// A clean drawing world for each test: a window of a given size, synthetic pictures and a
// test font whose glyphs are plain blocks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/surface.h"
#include "resources/bitmap_font.h"
#include "rules/game_state.h"
#include "tests/presentation/fake_platform.h"

// A glyph of the test font fills columns 0 .. advance - 2 of rows 2 .. 13 of its cell.
bool TestGlyphPixel(int advance, int x, int y);
const BitmapFont& TestFont();

// The colour of the synthetic picture `id`: every picture is one colour, distinct per id,
// except the ones below.
uint32_t PictureColour(int id);
// Synthetic pictures: tiles 48 x 48 of one colour; the gradient tile (115) grey 0x808080;
// the ring frames (116..119) 96 x 96, white with their top 12 rows in the frame's colour,
// their masks (120..123) black there; the GAME OVER panel 450 x 180; the pause pictures
// (150..153) 240 x 108 with a 40 x 20 shape at (100, 44); the full-window pictures 480 x 480.
Surface SyntheticPicture(int id);

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Window of the given client size, filled with `fill`.
    void Resize(int width, int height, uint32_t fill = 0x000000);
    uint32_t WindowPixel(int x, int y) const;
    uint32_t BackPixel(int x, int y) const;
};

// A clean drawing world for each test: a window of a given size, pictures of one colour each
// and a test font whose glyphs are plain blocks.
#pragma once

#include <gtest/gtest.h>

#include <cstddef> // surface.h uses size_t without including it
#include <cstdint>
#include <vector>

#include "platform/surface.h"

struct UpdateRect {
    int x, y, width, height;
    bool operator==(const UpdateRect&) const = default;
};
// The window surface and the rectangles reported with WindowUpdated.
Surface& TestWindow();
std::vector<UpdateRect>& Updates();
// The sounds played, by resource id.
std::vector<int>& SoundsPlayed();

// A glyph of the test font (advance 8) fills columns 0..6 of rows 2..13 of its cell.
bool GlyphPixel(int x, int y);
// Picture `id` is one colour, PictureColour(id), at its real size, except: the ring frames
// (116..119) and pause words (152, 153) have their shape in colour on white, their masks
// (120..123, 150, 151) in black on white; the rings' shape is their top 12 rows, the pause
// words' the 40 x 20 rectangle at (100, 44).
uint32_t PictureColour(int id);

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // The client size, ClientWidth and ClientHeight, a window filled with `fill`, no records.
    void Resize(int width, int height, uint32_t fill = 0);
    // The graphics made, with the back buffer and the 480 x 480 window all `backdrop`.
    void MakeGraphics(uint32_t backdrop);
    uint32_t At(int x, int y) const { return TestWindow().at(x, y); }
};

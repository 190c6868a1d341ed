// Text in the strips: extent, the opaque cell box, transparent writing and the text colour.
#include <gtest/gtest.h>

#include "presentation/text.h"
#include "resources/bitmap_font.h"
#include "tests/presentation/drawing_fixture.h"

using TextTest = DrawingTest;

TEST_F(TextTest, ExtentIsTheSumOfTheAdvancesByTheCellHeight) {
    EXPECT_EQ(MeasureText("12345").cx, 40);
    EXPECT_EQ(MeasureText("12345").cy, 16);
    EXPECT_EQ(MeasureText("x256").cx, 32);
    EXPECT_EQ(MeasureText("Wil").cx, 22);
    EXPECT_EQ(MeasureText("").cx, 0);
}

TEST_F(TextTest, OpaqueFillsTheCellBoxThenWritesTheGlyphs) {
    Surface s(30, 20, 0x123456);
    WriteText(s, TextState{0xFFFF00, 0x000080, BkMode::Opaque}, 2, 1, "ab");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            bool inBox = x >= 2 && x < 18 && y >= 1 && y < 17;
            uint32_t expected = 0x123456;
            if (inBox) {
                int gx = (x - 2) % 8;
                expected = TestGlyphPixel(8, gx, y - 1) ? 0xFFFF00 : 0x000080;
            }
            ASSERT_EQ(s.at(x, y), expected) << x << "," << y;
        }
}

TEST_F(TextTest, TransparentWritesOnlyTheGlyphPixels) {
    Surface s(20, 16, 0x123456);
    WriteText(s, TextState{0x000000, 0xFFFFFF, BkMode::Transparent}, 0, 0, "7");
    EXPECT_EQ(s.at(0, 2), 0x000000u);
    EXPECT_EQ(s.at(6, 13), 0x000000u);
    EXPECT_EQ(s.at(7, 5), 0x123456u); // the last column of the advance is blank
    EXPECT_EQ(s.at(3, 0), 0x123456u);
    EXPECT_EQ(s.at(3, 14), 0x123456u);
}

TEST_F(TextTest, TextIsClippedAtTheSurfaceEdges) {
    Surface s(10, 10, 0);
    WriteText(s, TextState{0xFFFFFF, 0x0000FF, BkMode::Opaque}, -4, 5, "88");
    EXPECT_EQ(s.at(0, 5), 0x0000FFu); // box row 0 of the first glyph's 5th column
    EXPECT_EQ(s.at(0, 7), 0xFFFFFFu);
    EXPECT_EQ(s.at(3, 7), 0x0000FFu); // its blank last column
    EXPECT_EQ(s.at(4, 7), 0xFFFFFFu); // the second glyph
    EXPECT_EQ(s.at(4, 4), 0u);
}

TEST_F(TextTest, WithoutAFontNothingIsWrittenAndTheExtentIsEmpty) {
    BitmapFont none;
    UseTextFont(&none);
    Surface s(10, 10, 0x111111);
    WriteText(s, TextState{}, 0, 0, "12");
    EXPECT_EQ(MeasureText("12").cx, 0);
    EXPECT_EQ(s.pixels, Surface(10, 10, 0x111111).pixels);
}

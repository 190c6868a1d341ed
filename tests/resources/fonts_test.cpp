// Both fonts parse with the metrics the drawing relies on: the system font's 16-pixel cell and
// advance widths, glyphs for every Windows-1252 character, ink inside each glyph's cell.
#include <gtest/gtest.h>

#include "resources/bitmap_font.h"
#include "resources/resources.h"

namespace {
bool definedIn1252(int c) {
    if (c < 0x20 || c == 0x7F) return false;
    return !(c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D);
}

int inkOf(const BitmapFont& f, int code) {
    int n = 0;
    for (int y = 0; y < f.cellHeight; ++y)
        for (int x = 0; x < 16; ++x)
            n += f.pixel(static_cast<uint8_t>(code), x, y);
    return n;
}

void expectCoversWindows1252(const BitmapFont& f) {
    for (int c = 0; c < 256; ++c) {
        if (definedIn1252(c)) {
            EXPECT_GT(f.advance[static_cast<size_t>(c)], 0) << "no glyph for " << c;
            if (c != ' ' && c != 0xA0) {
                EXPECT_GT(inkOf(f, c), 0) << "blank glyph for " << c;
            }
        } else {
            EXPECT_EQ(f.advance[static_cast<size_t>(c)], 0) << "glyph for undefined code " << c;
        }
        // The drawing looks at most two columns beyond the advance.
        for (int y = 0; y < f.cellHeight; ++y)
            for (int x = f.advance[static_cast<size_t>(c)] + 2; x < 16; ++x)
                ASSERT_FALSE(f.pixel(static_cast<uint8_t>(c), x, y))
                    << "ink beyond the cell of " << c;
    }
}
} // namespace

TEST(Fonts, SystemFontHasTheDefaultFontMetricsIsBoldAndSitsOnItsBaseline) {
    BitmapFont f = ParseBitmapFont(ResourceBytes(ResourceKind::Font, SystemFontId));
    ASSERT_TRUE(f.valid());
    EXPECT_EQ(f.cellHeight, 16);
    EXPECT_EQ(f.ascent, 13);
    EXPECT_LE(f.maxWidth, 16);
    // The score box is laid out for digits eight pixels wide.
    for (char d = '0'; d <= '9'; ++d)
        EXPECT_EQ(f.advanceOf(static_cast<uint8_t>(d)), 8) << d;
    EXPECT_EQ(TextWidth(f, "12345"), 40);
    EXPECT_EQ(TextWidth(f, "x256"), 32);
    expectCoversWindows1252(f);
    // Bold on its baseline: 'l' is a two-pixel stem; 'x' stands on the baseline; 'p' goes below.
    int widest = 0;
    for (int y = 0; y < 16; ++y) {
        int run = 0;
        for (int x = 0; x < 16; ++x) {
            run = f.pixel('l', x, y) ? run + 1 : 0;
            widest = std::max(widest, run);
        }
    }
    EXPECT_GE(widest, 2);
    auto rowHasInk = [&](uint8_t c, int y) {
        for (int x = 0; x < 16; ++x)
            if (f.pixel(c, x, y)) return true;
        return false;
    };
    EXPECT_TRUE(rowHasInk('x', f.ascent - 1));
    EXPECT_FALSE(rowHasInk('x', f.ascent));
    EXPECT_TRUE(rowHasInk('p', f.ascent + 1));
    EXPECT_TRUE(rowHasInk(0xC9, 1) || rowHasInk(0xC9, 2))
        << "the accent of capital E acute fits in the cell";
}

TEST(Fonts, DialogFontIsTheSmallRegularFont) {
    BitmapFont f = ParseBitmapFont(ResourceBytes(ResourceKind::Font, DialogFontId));
    ASSERT_TRUE(f.valid());
    EXPECT_EQ(f.cellHeight, 13);
    EXPECT_LT(f.ascent, 13);
    int total = 0;
    for (char c = 'a'; c <= 'z'; ++c)
        total += f.advanceOf(static_cast<uint8_t>(c));
    for (char c = 'A'; c <= 'Z'; ++c)
        total += f.advanceOf(static_cast<uint8_t>(c));
    double average = total / 52.0;
    EXPECT_GT(average, 5.0);
    EXPECT_LT(average, 7.0);
    EXPECT_LT(TextWidth(f, "Aide durant le jeu."), 100 * 6 / 4) << "fits its check box";
    expectCoversWindows1252(f);
}

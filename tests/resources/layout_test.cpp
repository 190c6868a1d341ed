// The pictures leave the places the game draws to where the drawing expects them: the score
// box, the pile column, the grid, the buttons inside their click regions and the score bars.
#include <gtest/gtest.h>

#include "tests/resources/resource_files.h"

namespace {
bool isButtonFace(uint32_t c) {
    // The buttons are warm amber; the backdrop behind them is blue.
    int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r > 150 && r > b + 80 && g > b;
}

// Share of amber pixels in the canvas rectangle.
double buttonShare(const Picture& p, int x0, int y0, int x1, int y1) {
    int n = 0, hit = 0;
    for (int y = y0; y < y1 && y < p.height; ++y)
        for (int x = x0; x < x1 && x < p.width; ++x) {
            ++n;
            hit += isButtonFace(p.at(x, y));
        }
    return n ? static_cast<double>(hit) / n : 0;
}
} // namespace

TEST(Layout, ScoreBoxIsBlackWhereTenDoubledDigitsGo) {
    Picture board = bitmap(2000);
    // Ten digits of 8 pixels drawn twice as large end at x 426 and start at y 48.
    for (int y = 39; y < 91; ++y)
        for (int x = 253; x < 430; ++x)
            ASSERT_EQ(board.at(x, y), 0u) << x << "," << y;
}

TEST(Layout, PileColumnIsSandInABlackFrame) {
    Picture board = bitmap(2000);
    for (int y = 100; y < 400; y += 10) {
        uint32_t c = board.at(67, y);
        int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        EXPECT_TRUE(r > 180 && g > 140 && b < g && r >= g) << "sand at y " << y;
        EXPECT_LT(lightness(board.at(32, y)), 20) << "frame at y " << y;
        EXPECT_LT(lightness(board.at(102, y)), 20) << "frame at y " << y;
    }
}

TEST(Layout, BoardShowsPlainSquaresOnTheGridWithDarkGroovesBetween) {
    Picture board = bitmap(2000), plain = bitmap(100);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r)
            for (int y = 0; y < 48; y += 7)
                for (int x = 0; x < 48; x += 7)
                    ASSERT_EQ(board.at(121 + 54 * c + x, 121 + 54 * r + y), plain.at(x, y))
                        << c << "," << r;
    for (int i = 0; i < 5; ++i) {
        EXPECT_LT(lightness(board.at(121 + 54 * i + 51, 200)), 70) << "vertical groove " << i;
        EXPECT_LT(lightness(board.at(200, 121 + 54 * i + 51)), 70) << "horizontal groove " << i;
    }
}

TEST(Layout, TitleButtonsFillTheirClickRegions) {
    for (int id : {2600, 2601}) {
        Picture title = bitmap(id);
        EXPECT_GT(buttonShare(title, 303, 133, 425, 187), 0.3) << id << " play";
        EXPECT_GT(buttonShare(title, 303, 231, 425, 287), 0.3) << id << " options";
        EXPECT_GT(buttonShare(title, 303, 323, 425, 380), 0.3) << id << " help";
        EXPECT_LT(buttonShare(title, 303, 190, 425, 228), 0.05) << id << " nothing between buttons";
    }
}

// The Play again button (1650, 1651) is drawn over the high-score screen's empty corner and
// blends with it at its edges.
TEST(Layout, HelpOkHighScoreAndPlayAgainButtonsSitInTheirRegions) {
    for (int id : {2500, 2501})
        EXPECT_GT(buttonShare(bitmap(id), 165, 387, 310, 450), 0.3) << id;
    for (int lang = 0; lang < 2; ++lang) {
        Picture hs = bitmap(1500 + lang), button = bitmap(1650 + lang);
        EXPECT_GT(buttonShare(hs, 282, 387, 462, 480), 0.3) << lang << " exit";
        EXPECT_LT(buttonShare(hs, 21, 387, 249, 480), 0.02) << lang << " room for Play again";
        EXPECT_GT(buttonShare(button, 0, 0, 228, 96), 0.3) << lang << " play again";
        EXPECT_EQ(button.at(0, 0), hs.at(21, 387)) << lang;
        EXPECT_EQ(button.at(227, 0), hs.at(248, 387)) << lang;
    }
}

TEST(Layout, ScoreRowsLieOnBarsThatWhiteTextCanBeReadOn) {
    for (int id : {1500, 1501}) {
        Picture hs = bitmap(id);
        for (int i = 0; i < 6; ++i) {
            int top = 91 + 51 * i;
            // Names from x 51, scores from x 246, 32 canvas units tall.
            for (int y = top; y < top + 32; y += 3)
                for (int x = 51; x < 430; x += 5) {
                    int l = lightness(hs.at(x, y));
                    ASSERT_LT(l, 170) << id << " row " << i << " at " << x << "," << y;
                    ASSERT_GT(l, 40) << id << " row " << i << " at " << x << "," << y;
                }
        }
    }
}

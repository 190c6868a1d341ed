// The full-window screens, the high-score rows, the pause overlay and the GAME OVER panel.
#include <gtest/gtest.h>

#include "presentation/graphics.h"
#include "presentation/screens.h"
#include "tests/presentation/drawing_fixture.h"

using ScreensTest = DrawingTest;

namespace {
// Before any screen: the first one to need the graphics must make them.
const int ReadyAtStart = GraphicsReady;
} // namespace

TEST_F(ScreensTest, TitleShowsThePictureOfTheLanguageAndMakesTheGraphicsOnce) {
    EXPECT_EQ(ReadyAtStart, 0);
    DrawTitleScreen(1);
    EXPECT_EQ(At(0, 0), PictureColour(2601));
    ASSERT_EQ(GraphicsReady, 1);
    TileSet[0].at(0, 0) = 0x010203;
    DrawTitleScreen(0);
    EXPECT_EQ(At(479, 479), PictureColour(2600));
    EXPECT_EQ(TileSet[0].at(0, 0), 0x010203u); // not loaded again
    DrawHelpScreen(7);                         // any byte but French is English
    EXPECT_EQ(At(5, 5), PictureColour(2501));
}

TEST_F(ScreensTest, ThePlayAgainButtonIsItsPictureRowForRowAt480) {
    // Every picture a gradient, so that a button stretched by one row shows.
    UsePictureSource([](int id) {
        Surface s(id == 1651 ? 228 : 480, id == 1651 ? 96 : 480, 0);
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                s.at(x, y) = static_cast<uint32_t>(y * 256 + x);
        return s;
    });
    DrawHighScoreScreen(1, true, {});
    for (int y = 0; y < 93; ++y) // cut at the window's bottom
        for (int x = 0; x < 228; ++x)
            ASSERT_EQ(At(21 + x, 387 + y), static_cast<uint32_t>(y * 256 + x)) << x << "," << y;
}

TEST_F(ScreensTest, HighScoreRowsAreWrittenWhiteAtTheirPlaces) {
    std::array<ScoreRow, 6> rows{};
    rows[0] = {"Ann", 12000, true};
    rows[1] = {"Bob", 0, true};
    rows[2] = {std::string("Cy\0Zed", 6), 7, true};
    rows[4] = {"Unused", 99, false};
    Resize(500, 490);
    DrawHighScoreScreen(1, true, rows);
    const uint32_t bare = PictureColour(1501);
    // Play again at (ScaleX(21), ScaleY(387)), ScaleX(228) by ClientHeight / 5, cut at 490.
    EXPECT_EQ(Updates()[1], (UpdateRect{21, 395, 237, 95}));
    EXPECT_EQ(Updates().size(), 2u + 6u);
    EXPECT_EQ(Updates()[2], (UpdateRect{53, 92, 436, 98})); // ScaleX(210) * 2, (490 / 10) * 2
    Resize(480, 480);
    DrawHighScoreScreen(1, false, rows);
    for (int i = 0; i < 3; ++i) {
        const int top = 91 + 51 * i; // the strip doubled: glyph row 2 at top + 4
        EXPECT_EQ(At(51, top + 3), bare);
        EXPECT_EQ(At(51, top + 4), 0xFFFFFFu);
        EXPECT_EQ(At(51 + 14, top + 4), bare); // the glyph's blank last column
        EXPECT_EQ(At(246, top + 4), 0xFFFFFFu);
    }
    EXPECT_EQ(At(51 + 32, 91 + 4), 0xFFFFFFu); // "Ann" has a third letter, "Cy" stops
    EXPECT_EQ(At(51 + 32, 193 + 4), bare);
    EXPECT_EQ(At(246 + 16, 142 + 4), bare);     // "0"
    EXPECT_EQ(At(246 + 64, 91 + 4), 0xFFFFFFu); // "12000"
    for (int y = 244; y < 480; ++y)
        ASSERT_EQ(At(60, y), bare);
    // Over black: the letters pure white, the strips' blank top rows leave the window alone.
    Resize(480, 480, 0);
    DrawHighScoreRows(rows);
    for (int i = 0; i < 3; ++i) {
        const int top = 91 + 51 * i;
        EXPECT_EQ(At(51, top + 4), 0xFFFFFFu);
        for (int x = 0; x < 480; ++x)
            ASSERT_EQ(At(x, top), 0u) << x << "," << top;
    }
}

TEST_F(ScreensTest, PauseOverlayLandsOnACleanGameScreenSoTwiceIsOnce) {
    MakeGraphics(0x335577);
    GameState game;
    Resize(960, 960, 0xEEEEEE);
    DrawPauseOverlay(game, 1);
    const Surface once = TestWindow();
    EXPECT_EQ(Updates().back(), (UpdateRect{240, 372, 480, 216}));
    // The words' 40 x 20 shape at (100, 44) of the picture, at canvas (120, 186).
    EXPECT_EQ(At(440, 460), PictureColour(153));
    EXPECT_EQ(At(519, 499), PictureColour(153));
    EXPECT_EQ(At(439, 460), 0x335577u);
    EXPECT_EQ(At(822, 110), 0xFFFFFFu); // the score "0" over the clean screen, white on black
    TestWindow().at(300, 300) = TestWindow().at(460, 480) = 0x123123;
    DrawPauseOverlay(game, 1);
    EXPECT_EQ(TestWindow().pixels, once.pixels);

    Resize(500, 490);
    DrawGameOverPanel(); // ScaleX(450) by ScaleY(180), centred
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{16, 153, 468, 183}}));
    EXPECT_EQ(At(483, 335), PictureColour(124));
}

// The full-window screens, the high-score rows, the pause overlay and the GAME OVER panel.
#include <gtest/gtest.h>

#include <string>

#include "presentation/graphics.h"
#include "presentation/screens.h"
#include "rules/rules_seam.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

using ScreensTest = DrawingTest;

std::array<ScoreRow, 6> threeRows() {
    std::array<ScoreRow, 6> rows{};
    rows[0] = {"Ann", 12000, true};
    rows[1] = {"Bob", 0, true};
    rows[2] = {std::string("Cy\0Zed", 6), 7, true};
    rows[4] = {"Unused", 99, false};
    return rows;
}

} // namespace

TEST_F(ScreensTest, TitleScreenShowsThePictureOfTheLanguageAndMakesTheGraphicsOnce) {
    DrawTitleScreen(1);
    EXPECT_EQ(WindowPixel(0, 0), PictureColour(2601));
    EXPECT_EQ(fake::Updates().front(), (fake::Rect{0, 0, 480, 480}));
    ASSERT_EQ(GraphicsReady, 1);
    EXPECT_EQ(BackBuffer.width, 480);
    TileSet[0].at(0, 0) = 0x010203;
    DrawTitleScreen(0);
    EXPECT_EQ(WindowPixel(479, 479), PictureColour(2600));
    EXPECT_EQ(TileSet[0].at(0, 0), 0x010203u); // not loaded again

    // Any language byte other than French gets the English picture.
    DrawHelpScreen(7);
    EXPECT_EQ(WindowPixel(5, 5), PictureColour(2501));
}

TEST_F(ScreensTest, MissingPictureLeavesTheWindowAsItWas) {
    Resize(480, 480, 0x0A0B0C);
    UsePictureSource([](int) { return Surface(); });
    DrawHelpScreen(0);
    DrawTitleScreen(0);
    EXPECT_EQ(WindowPixel(100, 100), 0x0A0B0Cu);
    EXPECT_TRUE(fake::Updates().empty());
}

TEST_F(ScreensTest, HighScoreRowsAreWrittenWhiteAtTheirPlaces) {
    DrawHighScoreScreen(1, false, threeRows());
    const uint32_t picture = PictureColour(1501);
    // Two strips per used row, each 420 x 96 on the canvas.
    ASSERT_EQ(fake::Updates().size(), 1u + 6u);
    for (int i = 0; i < 3; ++i) {
        const int top = 91 + 51 * i;
        EXPECT_EQ(fake::Updates()[1 + 2 * static_cast<size_t>(i)], (fake::Rect{51, top, 420, 96}));
        // The strip doubled: glyph pixel (0, 2) lands on rows top + 4 and top + 5.
        EXPECT_EQ(WindowPixel(51, top + 4), 0xFFFFFFu) << i;
        EXPECT_EQ(WindowPixel(52, top + 5), 0xFFFFFFu) << i;
        EXPECT_EQ(WindowPixel(51, top + 3), picture) << i;
        EXPECT_EQ(WindowPixel(51 + 14, top + 6), picture) << i; // blank last column
        EXPECT_EQ(WindowPixel(246, top + 4), 0xFFFFFFu) << i;
    }
    // "Cy" ends at its zero byte: nothing where a third letter would be.
    EXPECT_EQ(WindowPixel(51 + 32, 193 + 6), picture);
    EXPECT_EQ(WindowPixel(51 + 32, 91 + 6), 0xFFFFFFu); // "Ann" has one
    // "0" is one digit, "12000" five.
    EXPECT_EQ(WindowPixel(246 + 16, 142 + 6), picture);
    EXPECT_EQ(WindowPixel(246 + 64, 91 + 6), 0xFFFFFFu);
    // Unused rows stay bare.
    for (int y = 244; y < 400; ++y)
        ASSERT_EQ(WindowPixel(60, y), picture) << y;
    // The strip keeps its own settings.
    EXPECT_EQ(ScratchStrip.state.textColor, 0u);
}

TEST_F(ScreensTest, HighScoreScreenAfterAGameOffersPlayAgain) {
    Resize(500, 490);
    DrawHighScoreScreen(0, true, {});
    ASSERT_EQ(fake::Updates().size(), 2u);
    // (ScaleX(21), ScaleY(387)), ScaleX(228) by ClientHeight / 5 = 98.
    EXPECT_EQ(fake::Updates()[1], (fake::Rect{21, 395, 237, 95})); // cut at the bottom
    EXPECT_EQ(WindowPixel(21, 395), PictureColour(1650));
    EXPECT_EQ(WindowPixel(20, 395), PictureColour(1500));
    EXPECT_EQ(WindowPixel(257, 489), PictureColour(1650));
}

TEST_F(ScreensTest, PauseOverlayPrintsTheWordsOverACleanGameScreenIdempotently) {
    CreateGraphicsIfNeeded();
    BackBuffer = Surface(480, 480, 0x335577);
    GameState game;
    game.score = 40;
    Resize(960, 960, 0xEEEEEE);
    DrawPauseOverlay(game, 1);
    const std::vector<uint32_t> once = fake::Window().pixels;
    // The words: the 40 x 20 shape at (100, 44) of the picture at canvas (120, 186).
    EXPECT_EQ(WindowPixel(2 * 220, 2 * 230), PictureColour(153));
    EXPECT_EQ(WindowPixel(2 * 259 + 1, 2 * 249 + 1), PictureColour(153));
    EXPECT_EQ(WindowPixel(2 * 219 + 1, 2 * 230), 0x335577u);
    EXPECT_EQ(WindowPixel(2 * 120, 2 * 186), 0x335577u);
    EXPECT_EQ(fake::Updates().back(), (fake::Rect{240, 372, 480, 216}));
    // The score is on it too.
    EXPECT_EQ(fake::Updates()[1], (fake::Rect{2 * (426 - 32), 96, 64, 64}));

    // Something drawn over the screen meanwhile is gone at the next overlay.
    fake::Window().at(300, 300) = 0x123123;
    fake::Window().at(2 * 230, 2 * 240) = 0x123123;
    DrawPauseOverlay(game, 1);
    EXPECT_EQ(fake::Window().pixels, once);
}

TEST_F(ScreensTest, GameOverPanelIsCentred) {
    CreateGraphicsIfNeeded();
    DrawGameOverPanel();
    EXPECT_EQ(fake::Updates().back(), (fake::Rect{15, 150, 450, 180}));
    Resize(500, 490);
    DrawGameOverPanel();
    // w = ScaleX(450) = 468, h = ScaleY(180) = 183, centred in 500 x 490.
    EXPECT_EQ(fake::Updates().back(), (fake::Rect{16, 153, 468, 183}));
    EXPECT_EQ(WindowPixel(16, 153), PictureColour(124));
    EXPECT_EQ(WindowPixel(483, 335), PictureColour(124));
    EXPECT_EQ(WindowPixel(15, 153), 0u);
}

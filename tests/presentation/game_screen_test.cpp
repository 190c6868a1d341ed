// The game screen: squares on the window and in the back buffer, the pile's cut, the score.
#include <gtest/gtest.h>

#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "presentation/sounds.h"
#include "tests/presentation/drawing_fixture.h"

namespace {
class GameScreenTest : public DrawingTest {
    void SetUp() override {
        DrawingTest::SetUp();
        MakeGraphics(0);
    }
};
} // namespace

TEST_F(GameScreenTest, SquareIsDrawnScaledOnTheWindowAndUnscaledInTheBackBuffer) {
    Resize(500, 490);
    DrawCell(0, 0, Color::Red, ElementKind::ArrowLeft); // tile 112
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{126, 123, 50, 49}}));
    for (int y = 122; y <= 172; ++y)
        for (int x = 125; x <= 176; ++x)
            ASSERT_EQ(At(x, y) == PictureColour(112), x > 125 && x < 176 && y > 122 && y < 172);
    EXPECT_EQ(BackBuffer.at(168, 168), PictureColour(112));
    EXPECT_EQ(BackBuffer.at(169, 121), 0u);

    // Impossible colours, kinds or places draw nothing anywhere.
    const Surface window = TestWindow(), back = BackBuffer;
    DrawCell(1, 0, static_cast<Color>(3), ElementKind::Star);
    DrawCell(1, 0, Color::Green, static_cast<ElementKind>(7));
    DrawCell(6, 0, Color::Green, ElementKind::Star);
    DrawCell(0, 6, Color::Green, ElementKind::Star);
    DrawSquareToBackBuffer(6, 0, Color::Red, ElementKind::Star);
    DrawSquareToBackBuffer(1, 0, Color::Red, static_cast<ElementKind>(-1));
    DrawSquareToBackBuffer(0, 6, Color::Red, ElementKind::Star);
    DrawSquareToBackBuffer(0, -1, Color::Red, ElementKind::Star);
    EXPECT_EQ(TestWindow().pixels, window.pixels);
    EXPECT_EQ(BackBuffer.pixels, back.pixels);
    EXPECT_EQ(Updates().size(), 1u);
    // A cleared square is drawn as well: the plain tile, first of the set.
    DrawCell(1, 0, Color::Plain, ElementKind::None);
    EXPECT_EQ(Updates().size(), 2u);
    EXPECT_EQ(BackBuffer.at(175, 121), PictureColour(100));
    // Its sound goes to the platform by resource id.
    PlayGameSound(5006);
    EXPECT_EQ(SoundsPlayed(), std::vector<int>{5006});
}

TEST_F(GameScreenTest, TheBackBufferTakesTheBoardPictureAndEachTileAtItsSquaresOrigin) {
    ReleaseGraphics();
    CreateGraphicsIfNeeded();
    EXPECT_EQ(BackBuffer.pixels, Surface(480, 480, 0).pixels) << "black, as a new bitmap";
    DrawBoardPicture();
    struct Square {
        int column, row;
        Color color;
        ElementKind kind;
        int tile;
    };
    const Square squares[] = {
        {0, 0, Color::Plain, ElementKind::None, 100},
        {1, 0, Color::Plain, ElementKind::Star, 100}, // plain, whatever it holds
        {5, 0, Color::Green, ElementKind::None, 101},
        {2, 3, Color::Red, ElementKind::Star, 114},
        {0, 5, Color::Green, ElementKind::ArrowLeft, 105},
        {5, 5, Color::Red, ElementKind::None, 108},
    };
    Surface expected(480, 480, PictureColour(2000));
    for (const Square& s : squares) {
        DrawSquareToBackBuffer(s.column, s.row, s.color, s.kind);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                expected.at(121 + 54 * s.column + x, 121 + 54 * s.row + y) = PictureColour(s.tile);
    }
    EXPECT_EQ(BackBuffer.pixels, expected.pixels);
    EXPECT_TRUE(Updates().empty()) << "the window is left alone";
    // The ring's square put back from the back buffer, scaled.
    Resize(960, 960);
    RestoreFromBackBuffer(21, 276, 120);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{42, 552, 240, 240}}));
    EXPECT_EQ(At(42, 552), PictureColour(2000));
    EXPECT_EQ(At(200, 700), PictureColour(2000));
    EXPECT_EQ(At(281, 791), PictureColour(105)); // the corner of square (0, 5)
    EXPECT_EQ(At(282, 552), 0u);
}

TEST_F(GameScreenTest, PileDrawingsAreCutAtLine404) {
    Surface tile(48, 48, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            tile.at(x, y) = static_cast<uint32_t>(y + 1);
    Resize(960, 960);
    StretchSquareClipped(42, 380, 0, 0, tile, Rop::SrcCopy, 48); // the top 24 rows, doubled
    StretchSquareClipped(42, 404, 0, 0, tile, Rop::SrcCopy, 48); // nothing
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{84, 760, 96, 48}}));
    EXPECT_EQ(At(84, 760), 1u);
    EXPECT_EQ(At(179, 807), 24u);
    EXPECT_EQ(At(84, 808), 0u);
}

TEST_F(GameScreenTest, ScoreIsCreditedThenDrawnAtTwiceItsTextSizeRightEdgeAt426) {
    GameState game;
    game.score = 19945;
    game.popupCount = 1;
    game.popups[0] = ScorePopup{175, 229, 100, 0, PopupStyle::Clear, 0};
    game.scoreUpdatePending = 1;
    RefreshScorePanel(game); // "20045": 40 x 16
    EXPECT_EQ(game.score, 20045);
    EXPECT_EQ(game.ClearLabelSize.width, 24) << "the points rose: the labels show 200";
    EXPECT_EQ(game.scoreUpdatePending, 0);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{346, 48, 80, 32}}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(At(346 + x, 48 + y), GlyphPixel((x / 2) % 8, y / 2) ? 0xFFFFFFu : 0u);
    EXPECT_EQ(ScoreStrip.state.textColor, 0u); // the strip's settings are put back

    // A full redraw: the back buffer over the whole window, then the score.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 480; ++x)
            BackBuffer.at(x, y) = rgb(x / 2, y / 2, 7);
    Resize(960, 960);
    RedrawGameScreen(game);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{0, 0, 960, 960}, {692, 96, 160, 64}}));
    EXPECT_EQ(At(101, 603), rgb(25, 150, 7));
    EXPECT_EQ(At(959, 959), rgb(239, 239, 7));
}

// The game screen: squares on the window and in the back buffer, the pile's clipping, the score.
#include <gtest/gtest.h>

#include "presentation/canvas.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

class GameScreenTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        CreateGraphicsIfNeeded();
    }
    // Every window pixel of the rectangle has the colour, and the ring around it does not.
    void expectBlock(int x, int y, int w, int h, uint32_t colour) {
        for (int j = y - 1; j <= y + h; ++j)
            for (int i = x - 1; i <= x + w; ++i) {
                bool inside = i >= x && i < x + w && j >= y && j < y + h;
                ASSERT_EQ(WindowPixel(i, j) == colour, inside) << i << "," << j;
            }
    }
};

// A 48 x 48 tile whose row r has the colour 0x0100 * (r + 1).
Surface rowTile() {
    Surface s(48, 48, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            s.at(x, y) = 0x000100u * static_cast<uint32_t>(y + 1);
    return s;
}

} // namespace

TEST_F(GameScreenTest, SquareIsDrawnScaledOnTheWindowAndUnscaledInTheBackBuffer) {
    Resize(500, 490);
    DrawCell(0, 0, Color::Red, ElementKind::ArrowLeft);
    expectBlock(126, 123, 50, 49, PictureColour(112));
    ASSERT_EQ(fake::Updates().size(), 1u);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{126, 123, 50, 49}));
    EXPECT_EQ(BackPixel(121, 121), PictureColour(112));
    EXPECT_EQ(BackPixel(168, 168), PictureColour(112));
    EXPECT_NE(BackPixel(169, 168), PictureColour(112));

    DrawCell(5, 5, Color::Plain, ElementKind::Star);
    EXPECT_EQ(WindowPixel(ScaleX(391), ScaleY(391)), PictureColour(100));
    EXPECT_EQ(BackPixel(391, 391), PictureColour(100));
}

TEST_F(GameScreenTest, SquareWithAnImpossibleColourOrKindOrPlaceDrawsNothing) {
    const std::vector<uint32_t> window = fake::Window().pixels;
    const std::vector<uint32_t> back = BackBuffer.pixels;
    DrawCell(0, 0, static_cast<Color>(3), ElementKind::Star);
    DrawCell(0, 0, Color::Green, static_cast<ElementKind>(7));
    DrawCell(0, 0, Color::Red, static_cast<ElementKind>(-1));
    DrawCell(6, 0, Color::Green, ElementKind::Star);
    DrawCell(0, -1, Color::Green, ElementKind::Star);
    DrawSquareToBackBuffer(0, 0, Color::Red, static_cast<ElementKind>(1000));
    EXPECT_EQ(fake::Window().pixels, window);
    EXPECT_EQ(BackBuffer.pixels, back);
    EXPECT_TRUE(fake::Updates().empty());
}

TEST_F(GameScreenTest, SetUpStepsTouchOnlyTheBackBuffer) {
    DrawBoardPicture();
    EXPECT_EQ(BackPixel(0, 0), PictureColour(2000));
    EXPECT_EQ(BackPixel(479, 479), PictureColour(2000));
    DrawSquareToBackBuffer(2, 3, Color::Green, ElementKind::None);
    EXPECT_EQ(BackPixel(121 + 108, 121 + 162), PictureColour(101));
    EXPECT_EQ(BackPixel(121 + 108 - 1, 121 + 162), PictureColour(2000));
    EXPECT_TRUE(fake::Updates().empty());
    EXPECT_EQ(WindowPixel(240, 240), 0u);
}

TEST_F(GameScreenTest, PileDrawingsAreCutAtLine404) {
    Surface tile = rowTile();
    StretchSquareClipped(42, 380, 0, 0, tile, Rop::SrcCopy, 48);
    ASSERT_EQ(fake::Updates().size(), 1u);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{42, 380, 48, 24}));
    EXPECT_EQ(WindowPixel(42, 380), 0x000100u);
    EXPECT_EQ(WindowPixel(89, 403), 0x000100u * 24);
    EXPECT_EQ(WindowPixel(42, 404), 0u);

    fake::ClearRecords();
    StretchSquareClipped(42, 404, 0, 0, tile, Rop::SrcCopy, 48);
    StretchSquareClipped(42, 450, 0, 0, tile, Rop::SrcCopy, 48);
    EXPECT_TRUE(fake::Updates().empty());

    // At twice the size the 24 source rows fill 48 window rows, each row twice.
    Resize(960, 960);
    StretchSquareClipped(42, 380, 0, 0, tile, Rop::SrcCopy, 48);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{84, 760, 96, 48}));
    EXPECT_EQ(WindowPixel(84, 806), 0x000100u * 24);
    EXPECT_EQ(WindowPixel(84, 807), 0x000100u * 24);
    EXPECT_EQ(WindowPixel(84, 808), 0u);

    // One line left: the top row only.
    Resize(480, 480);
    StretchSquareClipped(42, 403, 0, 0, tile, Rop::SrcCopy, 48);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{42, 403, 48, 1}));
}

TEST_F(GameScreenTest, ScoreIsTwiceItsTextSizeWithItsRightEdgeAt426) {
    GameState game;
    game.score = 12345; // 40 x 16 in the test font
    game.scoreUpdatePending = 1;
    RefreshScorePanel(game);
    ASSERT_EQ(fake::Updates().size(), 1u);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{346, 48, 80, 32}));
    EXPECT_EQ(game.score, 12345);
    EXPECT_EQ(game.scoreUpdatePending, 0);
    // White glyphs on black, each strip pixel two window pixels wide and high.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 80; ++x) {
            uint32_t expected = TestGlyphPixel(8, (x / 2) % 8, y / 2) ? 0xFFFFFFu : 0u;
            ASSERT_EQ(WindowPixel(346 + x, 48 + y), expected) << x << "," << y;
        }
    // The strip's own text settings are as they were.
    EXPECT_EQ(ScoreStrip.state.textColor, 0u);
    EXPECT_EQ(ScoreStrip.state.bkMode, BkMode::Opaque);

    Resize(960, 960);
    RefreshScorePanel(game);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{692, 96, 160, 64}));
}

TEST_F(GameScreenTest, ScorePanelCreditsThePendingPointsBeforeDrawingThem) {
    GameState game;
    game.score = 12245;
    game.popupCount = 1;
    game.popups[0] = ScorePopup{175, 229, 100, 0, PopupStyle::Clear, 0};
    game.scoreUpdatePending = 1;
    RefreshScorePanel(game);
    EXPECT_EQ(game.score, 12345);
    EXPECT_EQ(game.popups[0].points, 0);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{346, 48, 80, 32}));
}

TEST_F(GameScreenTest, FullRedrawIsTheBackBufferStretchedThenTheScore) {
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 480; ++x)
            BackBuffer.at(x, y) = rgb(x / 2, y / 2, 7);
    Resize(960, 960);
    GameState game;
    game.score = 0;
    RedrawGameScreen(game);
    ASSERT_EQ(fake::Updates().size(), 2u);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{0, 0, 960, 960}));
    EXPECT_EQ(WindowPixel(0, 0), rgb(0, 0, 7));
    EXPECT_EQ(WindowPixel(959, 959), rgb(239, 239, 7));
    EXPECT_EQ(WindowPixel(101, 603), rgb(25, 150, 7));
    // "0" is 8 x 16: drawn at ScaleX(426 - 16), 96, 32 x 64.
    EXPECT_EQ(fake::Updates()[1], (fake::Rect{820, 96, 32, 64}));
}

TEST_F(GameScreenTest, RestoringFromTheBackBufferCopiesTheSameCanvasSquare) {
    BackBuffer.at(30, 100) = 0xABCDEF;
    Resize(960, 960, 0x111111);
    RestoreFromBackBuffer(21, 76, 120);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{42, 152, 240, 240}));
    EXPECT_EQ(WindowPixel(60, 200), 0xABCDEFu);
    EXPECT_EQ(WindowPixel(61, 201), 0xABCDEFu);
    EXPECT_EQ(WindowPixel(41, 152), 0x111111u);
}

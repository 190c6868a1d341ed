// The draw-pile column: a rising element with shadow and ring, landing, resting elements.
#include <gtest/gtest.h>

#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

constexpr uint32_t Backdrop = 0x446688;
constexpr uint32_t Gradient = 0x808080;

class PileTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        CreateGraphicsIfNeeded();
        BackBuffer = Surface(480, 480, Backdrop);
        PresentBackBuffer();
        fake::ClearRecords();
    }
    void rising(int index, int y, ElementKind kind = ElementKind::ArrowUp,
                Color color = Color::Green) {
        game.slots[static_cast<size_t>(index)] = PileSlot{y, kind, color, 0};
        game.pileCount = std::max(game.pileCount, index + 1);
    }
    GameState game;
};

} // namespace

TEST_F(PileTest, ActiveRisingElementGetsItsShadowTileAndRing) {
    rising(0, 300);
    DrawPileSlot(game, 0, 306, false);
    const std::vector<fake::Rect> expected{
        {18, 282, 96, 96}, // the old ring's square
        {46, 306, 48, 48}, // shadow
        {42, 300, 48, 48}, // element
        {18, 276, 96, 96}, // ring mask
        {18, 276, 96, 96}, // ring
    };
    EXPECT_EQ(fake::Updates(), expected);
    EXPECT_EQ(WindowPixel(42, 300), PictureColour(102));
    EXPECT_EQ(WindowPixel(89, 347), PictureColour(102));
    EXPECT_EQ(WindowPixel(93, 353), Gradient);
    EXPECT_EQ(WindowPixel(90, 300), Backdrop); // the shadow starts 6 lower
    EXPECT_EQ(WindowPixel(50, 280), PictureColour(116));
    EXPECT_EQ(WindowPixel(50, 288), Backdrop); // the white of the ring leaves the board alone
    EXPECT_EQ(RingFrame, 1);
    // A rising element never reaches the back buffer.
    EXPECT_EQ(BackPixel(42, 300), Backdrop);
}

TEST_F(PileTest, RingTurnsOneFramePerStepOfTheActiveElementOnly) {
    rising(0, 400);
    rising(1, 404, ElementKind::Star, Color::Red);
    for (int frame : {0, 1, 2, 3, 0, 1}) {
        game.slots[0].y -= 6;
        DrawPileSlot(game, 0, game.slots[0].y + 6, false);
        EXPECT_EQ(WindowPixel(50, game.slots[0].y - 20), PictureColour(116 + frame)) << frame;
        // The slot behind it is not active: no ring, and the frame does not move.
        int before = RingFrame;
        game.slots[1].y -= 6;
        DrawPileSlot(game, 1, game.slots[1].y + 6, false);
        EXPECT_EQ(RingFrame, before);
    }
    EXPECT_EQ(RingFrame, 2);

    // No active element: the frame stays where it is.
    game.activeIndex = 2;
    DrawPileSlot(game, 0, 300, false);
    DrawPileSlot(game, 1, 300, false);
    EXPECT_EQ(RingFrame, 2);
}

TEST_F(PileTest, InactiveElementErasesOnlyItsTileAndShadow) {
    rising(0, 200);
    rising(1, 350, ElementKind::Diamond, Color::Red);
    DrawPileSlot(game, 1, 356, false);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{42, 356, 54, 54}));
    EXPECT_EQ(fake::Updates().size(), 3u);
    EXPECT_EQ(WindowPixel(60, 360), PictureColour(113));
}

TEST_F(PileTest, ElementLowInTheColumnIsCutAtLine404) {
    rising(0, 380);
    DrawPileSlot(game, 0, 386, false);
    EXPECT_EQ(WindowPixel(42, 403), PictureColour(102));
    EXPECT_EQ(WindowPixel(42, 404), Backdrop);
    EXPECT_EQ(WindowPixel(93, 403), Gradient); // 18 rows of shadow from 386
    EXPECT_EQ(WindowPixel(93, 404), Backdrop);
    EXPECT_EQ(fake::Updates()[1], (fake::Rect{46, 386, 48, 18}));
    EXPECT_EQ(fake::Updates()[2], (fake::Rect{42, 380, 48, 24}));
}

TEST_F(PileTest, LandingDarkensTheElementAndRestsItWithItsShadowInTheBackBuffer) {
    rising(0, 90);
    game.slots[0].landed = 1;
    game.activeIndex = 1;
    game.landedCount = 1;
    int frame = RingFrame;
    DrawPileSlot(game, 0, 96, true);
    const std::vector<fake::Rect> expected{
        {18, 72, 96, 96}, // the ring, gone
        {42, 96, 54, 54}, // the old tile and shadow
        {46, 96, 48, 48}, // shadow
        {42, 90, 48, 48}, // element
        {42, 90, 48, 48}, // darkening
    };
    EXPECT_EQ(fake::Updates(), expected);
    EXPECT_EQ(RingFrame, frame);
    const uint32_t darkened = PictureColour(102) & Gradient;
    EXPECT_EQ(WindowPixel(42, 90), darkened);
    EXPECT_EQ(BackPixel(42, 90), darkened);
    EXPECT_EQ(BackPixel(89, 137), darkened);
    EXPECT_EQ(BackPixel(95, 139), Gradient); // shadow 6 right and 2 below
    EXPECT_EQ(BackPixel(90, 91), Backdrop);
    EXPECT_EQ(BackPixel(47, 139), Backdrop);
}

TEST_F(PileTest, ResumedGameRestsItsLandedElementsWithTheShadowWhereItWasWhileRising) {
    rising(0, 90);
    rising(1, 138, ElementKind::Star, Color::Red);
    rising(2, 300);
    game.landedCount = 2;
    RedrawRestingPile(game);
    EXPECT_TRUE(fake::Updates().empty());
    EXPECT_EQ(BackPixel(42, 90), PictureColour(102) & Gradient);
    EXPECT_EQ(BackPixel(42, 138), PictureColour(114) & Gradient);
    EXPECT_EQ(BackPixel(93, 143), Gradient); // 4 right and 6 below
    EXPECT_EQ(BackPixel(93, 191), Gradient);
    EXPECT_EQ(BackPixel(42, 300), Backdrop); // still rising
}

TEST_F(PileTest, SlotsWithBadValuesDrawNoElement) {
    rising(0, 200, static_cast<ElementKind>(9));
    rising(1, 250, ElementKind::Star, Color::Plain);
    DrawPileSlot(game, 0, 206, false);
    DrawPileSlot(game, 1, 256, false);
    DrawPileSlot(game, 7, 206, false);
    DrawPileSlot(game, -1, 206, false);
    for (uint32_t p : fake::Window().pixels)
        ASSERT_EQ(p, Backdrop);
    EXPECT_EQ(RingFrame, 0);

    game.landedCount = 100;
    game.slots[0].landed = 1;
    RedrawRestingPile(game);
    for (uint32_t p : BackBuffer.pixels)
        ASSERT_EQ(p, Backdrop);
}

// The draw-pile column: a rising element with shadow and ring, the ring's turn, landing.
#include <gtest/gtest.h>

#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

constexpr uint32_t Backdrop = 0x446688, Gradient = 0x808080;

class PileTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        MakeGraphics(Backdrop);
        game.slots[0] = PileSlot{300, ElementKind::ArrowUp, Color::Green, 0}; // tile 102
        game.slots[1] = PileSlot{380, ElementKind::Star, Color::Red, 0};      // tile 114
        game.pileCount = 2;
    }
    GameState game;
};

} // namespace

TEST_F(PileTest, ActiveElementGetsShadowTileAndRingOnTheWindowOnly) {
    DrawPileSlot(game, 0, 306, false);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{18, 282, 96, 96},    // old ring square
                                                  {46, 306, 48, 48},    // shadow
                                                  {42, 300, 48, 48},    // element
                                                  {18, 276, 96, 96},    // ring mask
                                                  {18, 276, 96, 96}})); // ring
    EXPECT_EQ(At(89, 347), PictureColour(102));
    EXPECT_EQ(At(93, 353), Gradient);
    EXPECT_EQ(At(90, 300), Backdrop);
    EXPECT_EQ(At(50, 280), PictureColour(116));
    EXPECT_EQ(At(113, 280), PictureColour(116)); // the ring's last column
    EXPECT_EQ(At(50, 287), PictureColour(116));  // and its shape's last row
    EXPECT_EQ(At(50, 288), Backdrop); // the white of the ring frame leaves the board alone
    EXPECT_EQ(BackBuffer.at(50, 310), Backdrop);

    // Ending just above the clip line the element is whole, its shadow cut at canvas line 404.
    game.slots[1].y = 355;
    Updates().clear();
    DrawPileSlot(game, 1, 361, false);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{42, 361, 54, 54},    // old place
                                                  {46, 361, 48, 43},    // shadow
                                                  {42, 355, 48, 48}})); // element
    // Two units lower it loses its last row; from line 403 one row of it is left.
    game.slots[1].y = 357;
    Updates().clear();
    DrawPileSlot(game, 1, 361, false);
    EXPECT_EQ(Updates(),
              (std::vector<UpdateRect>{{42, 361, 54, 54}, {46, 363, 48, 41}, {42, 357, 48, 47}}));
    game.slots[1].y = 403;
    Updates().clear();
    DrawPileSlot(game, 1, 361, false);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{42, 361, 54, 54}, {42, 403, 48, 1}}));
}

TEST_F(PileTest, RingTurnsOneFramePerStepOfTheActiveElementOnly) {
    for (int frame : {1, 2, 3, 0, 1}) {
        DrawPileSlot(game, 0, 306, false);
        DrawPileSlot(game, 1, 386, false); // not active: no ring
        EXPECT_EQ(RingFrame, frame);
        EXPECT_EQ(At(50, 280), PictureColour(116 + (frame + 3) % 4)) << "the frame just drawn";
    }
    EXPECT_EQ(At(50, 280), PictureColour(116)); // the fifth step drew frame 0 again
    game.activeIndex = 2;                       // no rising element is active
    DrawPileSlot(game, 0, 306, false);
    EXPECT_EQ(RingFrame, 1);
    RingFrame = 9; // out of range: taken as the last frame
    game.activeIndex = 0;
    DrawPileSlot(game, 0, 306, false);
    EXPECT_EQ(RingFrame, 0);
    // A slot past the pile draws nothing; a plain slot only has its old place erased.
    Updates().clear();
    DrawPileSlot(game, PileSlotCount, 306, false);
    EXPECT_TRUE(Updates().empty());
    game.slots[1].color = Color::Plain;
    DrawPileSlot(game, 1, 386, false);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{42, 386, 54, 54}}));
    EXPECT_EQ(RingFrame, 0);
}

TEST_F(PileTest, LandingDarkensTheElementAndRestsItWithItsShadowInTheBackBuffer) {
    game.slots[0].y = 90;
    game.slots[0].landed = 1;
    game.activeIndex = game.landedCount = 1;
    DrawPileSlot(game, 0, 96, true);
    EXPECT_EQ(Updates().front(), (UpdateRect{18, 72, 96, 96})); // the ring, gone
    EXPECT_EQ(RingFrame, 0);
    const uint32_t darkened = PictureColour(102) & Gradient;
    EXPECT_EQ(At(42, 90), darkened);
    EXPECT_EQ(At(89, 137), darkened); // to its last row and column
    // The back buffer whole: the shadow 6 right and 2 below, the darkened element over it.
    auto resting = [darkened](int shadowX, int shadowY) {
        Surface expected(480, 480, Backdrop);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                expected.at(42 + shadowX + x, 90 + shadowY + y) = Gradient;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                expected.at(42 + x, 90 + y) = darkened;
        return expected.pixels;
    };
    EXPECT_EQ(BackBuffer.pixels, resting(6, 2));

    // A resumed game rests it with the shadow where it was while rising: 4 right, 6 below.
    BackBuffer = Surface(480, 480, Backdrop);
    game.slots[1].kind = static_cast<ElementKind>(9); // a bad slot is left out
    game.landedCount = 100;
    RedrawRestingPile(game);
    EXPECT_EQ(BackBuffer.pixels, resting(4, 6));
    // With nothing landed, nothing rests.
    BackBuffer = Surface(480, 480, Backdrop);
    game.landedCount = 0;
    RedrawRestingPile(game);
    EXPECT_EQ(BackBuffer.pixels, Surface(480, 480, Backdrop).pixels);
}

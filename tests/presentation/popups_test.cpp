// Score popups: the label images, the rise in four steps, erasing and removal, bad entries.
#include <gtest/gtest.h>

#include "presentation/graphics.h"
#include "presentation/popups.h"
#include "presentation/text.h"
#include "resources/bitmap_font.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

constexpr uint32_t Backdrop = 0x224466;

class PopupsTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        MakeGraphics(Backdrop);
        RenderPopupLabels(game); // "20" and "100"
    }
    void add(int x, int y, PopupStyle style, int step = 0) {
        game.popups[static_cast<size_t>(game.popupCount++)] = ScorePopup{x, y, 0, 0, style, step};
    }
    GameState game;
};

} // namespace

TEST_F(PopupsTest, PopupRisesTwoUnitsAStepInYellowAndIsErasedAndRemovedAtTheFifth) {
    EXPECT_EQ(game.PaintLabelSize.width, 16);
    EXPECT_EQ(game.PaintLabelSize.height, 16);
    EXPECT_EQ(game.ClearLabelSize.width, 24);
    EXPECT_EQ(game.ClearLabelSize.height, 16);
    add(175, 229, PopupStyle::Clear);
    AnimatePopups(game, 100); // not more than 100 ms yet
    EXPECT_TRUE(Updates().empty());
    uint32_t now = 0;
    for (int y : {227, 225, 223, 221}) {
        Updates().clear();
        AnimatePopups(game, now += 101);
        ASSERT_EQ(game.popupCount, 1);
        EXPECT_EQ(game.popups[0].y, y);
        // Erase the old place, then mask and image three times the text's size.
        EXPECT_EQ(Updates(), (std::vector<UpdateRect>{
                                 {175, y + 2, 72, 48}, {175, y, 72, 144}, {175, y, 72, 144}}));
        for (int j = y - 4; j < y + 50; ++j)
            for (int i = 173; i < 250; ++i) {
                bool glyph =
                    i >= 175 && i < 247 && j >= y && GlyphPixel(((i - 175) / 3) % 8, (j - y) / 3);
                ASSERT_EQ(At(i, j), glyph ? 0xFFFF00u : Backdrop) << i << "," << j;
            }
    }
    Updates().clear();
    AnimatePopups(game, now += 101);
    EXPECT_EQ(game.popupCount, 0);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{{175, 221, 72, 48}}));
    EXPECT_EQ(TestWindow().pixels, Surface(480, 480, Backdrop).pixels);
}

TEST_F(PopupsTest, APopupInFlightShowsTheNewValueOnceTheLabelsAreRenderedAgain) {
    add(175, 229, PopupStyle::Paint);
    AnimatePopups(game, 101); // "20"
    game.paintPoints = 100;   // a level rise
    RenderPopupLabels(game);
    Updates().clear();
    AnimatePopups(game, 202);
    EXPECT_EQ(Updates(), (std::vector<UpdateRect>{
                             {175, 227, 72, 48}, {175, 225, 72, 144}, {175, 225, 72, 144}}));
    for (int i = 173; i < 250; ++i)
        ASSERT_EQ(At(i, 240),
                  i >= 175 && i < 247 && GlyphPixel(((i - 175) / 3) % 8, 5) ? 0xFFFF00u : Backdrop)
            << i;
}

TEST_F(PopupsTest, TheMultiplierLabelIsAnXThenTheMultiplier) {
    // Resumed in flight before any multiplier label was written: the fresh strip's black box.
    game.MultiplierLabelSize = LabelSize{8, 16};
    BackBuffer.at(175, 229) = 1; // an odd pixel under it
    add(175, 229, PopupStyle::Multiplier);
    AnimatePopups(game, 101);
    for (int j = 220; j < 380; ++j)
        for (int i = 170; i < 205; ++i)
            ASSERT_EQ(At(i, j), i >= 175 && i < 199 && j >= 227 && j < 371 ? 0u : Backdrop)
                << i << "," << j;
    // Digits are blocks and 'x' a bar two rows high, so that the order of the two shows.
    BitmapFont font;
    font.cellHeight = 16;
    font.rows.assign(256 * 16, 0);
    for (int c : {'1', '2', 'x'}) {
        font.advance[static_cast<size_t>(c)] = 8;
        for (int y = 2; y < (c == 'x' ? 4 : 14); ++y)
            font.rows[static_cast<size_t>(c * 16 + y)] = 0xFE00;
    }
    UseTextFont(&font);
    game.multiplier = 12;
    RenderMultiplierLabel(game);
    EXPECT_EQ(game.MultiplierLabelSize.width, 24);
    EXPECT_EQ(game.MultiplierLabelSize.height, 16);
    Surface image(StripWidth, LabelStripHeight, 0xFFFFFF), mask = image;
    for (int y = 2; y < 14; ++y)
        for (int x = 0; x < 24; ++x)
            if (x % 8 < 7 && (x >= 8 || y < 4)) {
                image.at(x, y) = 0xFFFF00;
                mask.at(x, y) = 0;
            }
    EXPECT_EQ(LabelImages[2].surface.pixels, image.pixels);
    EXPECT_EQ(LabelMasks[2].surface.pixels, mask.pixels);
    // A font that did not load has no cells: text is measured 16 rows high, the system's.
    BitmapFont broken;
    UseTextFont(&broken);
    EXPECT_EQ(MeasureText("12").cy, 16);
}

TEST_F(PopupsTest, AfterARemovalTheEntryMovedIntoPlaceWaitsForTheNextPass) {
    add(121, 121, PopupStyle::Clear, 4); // finished
    add(175, 175, PopupStyle::Paint);
    add(229, 229, PopupStyle::Multiplier);
    AnimatePopups(game, 500);
    ASSERT_EQ(game.popupCount, 2);
    EXPECT_EQ(game.popups[0].y, 175); // moved into place 0: skipped in this pass
    EXPECT_EQ(game.popups[1].y, 227);
    AnimatePopups(game, 500);
    EXPECT_EQ(game.popups[0].y, 173);
    EXPECT_EQ(game.popups[1].y, 227);
}

TEST_F(PopupsTest, BadEntriesRunTheirCourseWithoutDrawingOrIndexingOutsideTheList) {
    add(175, 229, static_cast<PopupStyle>(3));
    add(175, 229, static_cast<PopupStyle>(7));
    for (uint32_t t = 101; t < 1000; t += 101)
        AnimatePopups(game, t);
    EXPECT_TRUE(Updates().empty());
    EXPECT_EQ(game.popupCount, 0);
    game.popupCount = 40; // taken as a full list
    RemovePopup(game, 39);
    RemovePopup(game, PopupCapacity);
    EXPECT_EQ(game.popupCount, 40);
    RemovePopup(game, 35);
    EXPECT_EQ(game.popupCount, 35);
    game.ClearLabelSize.width = 100000; // from a damaged save: cut to the strip
    game.popupCount = 1;
    game.popups[0] = ScorePopup{0, 200, 0, 0, PopupStyle::Clear, 0};
    AnimatePopups(game, 2000);
    EXPECT_EQ(Updates().back(), (UpdateRect{0, 198, 480, 144}));
    // A new game empties the list: nothing left to rise.
    ClearPopups(game);
    EXPECT_EQ(game.popupCount, 0);
    Updates().clear();
    AnimatePopups(game, 4000);
    EXPECT_TRUE(Updates().empty());
    EXPECT_EQ(game.popups[0].y, 198);
    // A label measured 0 wide rises without drawing anything.
    game.ClearLabelSize.width = 0;
    game.popupCount = 1;
    AnimatePopups(game, 6000);
    EXPECT_TRUE(Updates().empty());
    EXPECT_EQ(game.popups[0].y, 196);
}

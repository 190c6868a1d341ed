// Score popups: label rendering, the rise in four steps, erasing, removal and bad entries.
#include <gtest/gtest.h>

#include "presentation/graphics.h"
#include "presentation/popups.h"
#include "tests/presentation/drawing_fixture.h"

namespace {

constexpr uint32_t Backdrop = 0x224466;
constexpr uint32_t Yellow = 0xFFFF00;

class PopupsTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        CreateGraphicsIfNeeded();
        BackBuffer = Surface(480, 480, Backdrop);
        PresentBackBuffer();
        fake::ClearRecords();
        game.clearPoints = 100; // "100": 24 x 16
        game.paintPoints = 20;  // "20": 16 x 16
        RenderPopupLabels(game);
    }
    void add(int x, int y, PopupStyle style, uint32_t tick, int step = 0) {
        game.popups[static_cast<size_t>(game.popupCount++)] =
            ScorePopup{x, y, 0, static_cast<int32_t>(tick), style, step};
    }
    // The text of width `w` (pixels) shown three times its size with its top-left at (x, y):
    // yellow glyph pixels, the board everywhere else around it.
    void expectLabel(int x, int y, int w) {
        for (int j = y - 4; j < y + 50; ++j)
            for (int i = x - 2; i < x + 3 * w + 2; ++i) {
                bool glyph = i >= x && i < x + 3 * w && j >= y && j < y + 48 &&
                             TestGlyphPixel(8, ((i - x) / 3) % 8, (j - y) / 3);
                ASSERT_EQ(WindowPixel(i, j), glyph ? Yellow : Backdrop) << i << "," << j;
            }
    }
    bool windowIsClean() const {
        for (uint32_t p : fake::Window().pixels)
            if (p != Backdrop) return false;
        return true;
    }
    GameState game;
};

} // namespace

TEST_F(PopupsTest, LabelsAreYellowAndBlackOnWhiteWithTheirMeasuredSizes) {
    EXPECT_EQ(game.PaintLabelSize.width, 16);
    EXPECT_EQ(game.PaintLabelSize.height, 16);
    EXPECT_EQ(game.ClearLabelSize.width, 24);
    const Surface& image = LabelImages[1].surface;
    const Surface& mask = LabelMasks[1].surface;
    EXPECT_EQ(image.at(0, 2), Yellow);
    EXPECT_EQ(mask.at(0, 2), 0u);
    EXPECT_EQ(image.at(7, 2), 0xFFFFFFu);
    EXPECT_EQ(mask.at(7, 2), 0xFFFFFFu);
    EXPECT_EQ(image.at(30, 5), 0xFFFFFFu);
    EXPECT_EQ(mask.at(209, 47), 0xFFFFFFu);
    // The strips keep their own settings afterwards.
    EXPECT_EQ(LabelImages[1].state.textColor, 0u);
    EXPECT_EQ(LabelMasks[1].state.bkMode, BkMode::Opaque);

    game.multiplier = 256;
    RenderMultiplierLabel(game);
    EXPECT_EQ(game.MultiplierLabelSize.width, 32);
    EXPECT_EQ(game.MultiplierLabelSize.height, 16);
    EXPECT_EQ(LabelImages[2].surface.at(24, 13), Yellow);
}

TEST_F(PopupsTest, PopupRisesTwoUnitsAStepForFourStepsAndIsThenErasedAndRemoved) {
    add(175, 229, PopupStyle::Clear, 1000);
    AnimatePopups(game, 1100); // not more than 100 ms yet
    EXPECT_TRUE(fake::Updates().empty());
    EXPECT_EQ(game.popups[0].y, 229);

    uint32_t now = 1000;
    for (int y : {227, 225, 223, 221}) {
        now += 101;
        fake::ClearRecords();
        AnimatePopups(game, now);
        ASSERT_EQ(game.popupCount, 1);
        EXPECT_EQ(game.popups[0].y, y);
        EXPECT_EQ(game.popups[0].tick, static_cast<int32_t>(now));
        ASSERT_EQ(fake::Updates().size(), 3u);
        EXPECT_EQ(fake::Updates()[0], (fake::Rect{175, y + 2, 72, 48})); // erase
        EXPECT_EQ(fake::Updates()[1], (fake::Rect{175, y, 72, 144}));    // mask
        expectLabel(175, y, 24);
    }
    now += 101;
    fake::ClearRecords();
    AnimatePopups(game, now);
    EXPECT_EQ(game.popupCount, 0);
    ASSERT_EQ(fake::Updates().size(), 1u);
    EXPECT_EQ(fake::Updates()[0], (fake::Rect{175, 221, 72, 48}));
    EXPECT_TRUE(windowIsClean());
}

TEST_F(PopupsTest, StepTimingUsesUnsignedDifferencesAcrossTheWrap) {
    add(175, 229, PopupStyle::Paint, 0xFFFFFFC0u);
    AnimatePopups(game, 0x20); // 96 ms later
    EXPECT_EQ(game.popups[0].y, 229);
    AnimatePopups(game, 0x25); // 101 ms later
    EXPECT_EQ(game.popups[0].y, 227);
}

TEST_F(PopupsTest, AfterARemovalTheEntryMovedIntoPlaceWaitsForTheNextPass) {
    add(121, 121, PopupStyle::Clear, 0, 4); // due and finished
    add(175, 175, PopupStyle::Clear, 0);
    add(229, 229, PopupStyle::Clear, 0);
    AnimatePopups(game, 500);
    ASSERT_EQ(game.popupCount, 2);
    EXPECT_EQ(game.popups[0].x, 175);
    EXPECT_EQ(game.popups[0].y, 175); // skipped in this pass
    EXPECT_EQ(game.popups[1].y, 227); // advanced
    AnimatePopups(game, 500);
    EXPECT_EQ(game.popups[0].y, 173);
    EXPECT_EQ(game.popups[1].y, 227); // its interval has not passed again
}

TEST_F(PopupsTest, PaintPopupInFlightShowsTheNewValueAfterAPointsLevelRise) {
    game.paintPoints = 90;
    RenderPopupLabels(game);
    add(229, 283, PopupStyle::Paint, 0);
    AnimatePopups(game, 101);
    EXPECT_EQ(fake::Updates()[1].width, 48);
    game.paintPoints = 100;
    RenderPopupLabels(game);
    fake::ClearRecords();
    AnimatePopups(game, 202);
    EXPECT_EQ(fake::Updates()[0].width, 72); // the erase is as wide as the new text
    EXPECT_EQ(fake::Updates()[1].width, 72);
    expectLabel(229, 279, 24);
}

TEST_F(PopupsTest, EntriesWithBadValuesNeverDrawOrIndexOutsideTheList) {
    add(175, 229, static_cast<PopupStyle>(7), 0);
    add(175, 229, static_cast<PopupStyle>(-1), 0);
    AnimatePopups(game, 101);
    EXPECT_TRUE(fake::Updates().empty());
    EXPECT_EQ(game.popups[0].y, 227); // they still run their course
    for (uint32_t t = 202; t < 2000; t += 101)
        AnimatePopups(game, t);
    EXPECT_EQ(game.popupCount, 0);

    // A count beyond the list is taken as a full list.
    game.popupCount = 40;
    RemovePopup(game, 39);
    EXPECT_EQ(game.popupCount, 40);
    RemovePopup(game, 35);
    EXPECT_EQ(game.popupCount, 35);
    game.popupCount = -3;
    AnimatePopups(game, 5000);
    RemovePopup(game, 0);
    EXPECT_EQ(game.popupCount, -3);
    ClearPopups(game);
    EXPECT_EQ(game.popupCount, 0);

    // A saved label width beyond the strip is drawn at most as wide as the strip.
    game.ClearLabelSize.width = 100000;
    add(0, 200, PopupStyle::Clear, 0);
    fake::ClearRecords();
    AnimatePopups(game, 10000);
    EXPECT_EQ(fake::Updates()[1].width, 480);
}

TEST_F(PopupsTest, RemovingKeepsTheOrderOfTheOthers) {
    for (int i = 0; i < 5; ++i)
        add(i, 0, PopupStyle::Clear, 0);
    RemovePopup(game, 1);
    ASSERT_EQ(game.popupCount, 4);
    EXPECT_EQ(game.popups[0].x, 0);
    EXPECT_EQ(game.popups[1].x, 2);
    EXPECT_EQ(game.popups[3].x, 4);
    RemovePopup(game, 4);
    EXPECT_EQ(game.popupCount, 4);
}

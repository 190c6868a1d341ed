// Tests of the snapshot: what it copies, which stored games it refuses, and that the others play.
#include <gtest/gtest.h>

#include <functional>

#include "rules/game_snapshot.h"
#include "rules/placement.h"
#include "rules/setup.h"
#include "rules/turn.h"
#include "tests/rules/rules_test_support.h"

namespace {

using K = ElementKind;
using C = Color;

TEST(Snapshot, RoundTripsEverySavedFieldIncludingUnusedEntries) {
    GameState game;
    restoreSnapshot(game, rulestest::playable());
    game.slots[6].y = 77;
    game.popups[35].points = 5;
    const GameSnapshot s = takeSnapshot(game);
    EXPECT_EQ(s.slots[6].y, 77);
    EXPECT_EQ(s.popups[35].points, 5);
    EXPECT_EQ(s.slots[4].y, -7);
    EXPECT_EQ(s.popups[2].y, 9999);
    EXPECT_EQ(s.score, 1234567);
    EXPECT_EQ(s.MultiplierLabelSize.width, 32);
    EXPECT_EQ(s.board.at(0, 5).color, Color::Green);
    EXPECT_EQ(s.drawWeights[0], 11);
    EXPECT_EQ(s.speedLevel, 100);
    EXPECT_EQ(s.activeIndex, 2);
}

TEST(Snapshot, RefusesOnlyWhatWouldBeUnsafeToPlay) {
    // The base case and a new game are playable; an all-zero record (no file read) is not.
    EXPECT_TRUE(snapshotIsPlayable(rulestest::playable()));
    EXPECT_TRUE(snapshotIsPlayable(takeSnapshot(rulestest::newGame())));
    EXPECT_FALSE(snapshotIsPlayable(GameSnapshot{}));
    // The active element above the last landed one only lands at the next step.
    GameSnapshot aboveLanded = rulestest::playable();
    aboveLanded.slots[2].y = 120;
    EXPECT_TRUE(snapshotIsPlayable(aboveLanded));
    // The highest a landed element may be: the first landing line less the fastest rise and 20.
    aboveLanded.slots[0].y = 95 - 1000 - 20;
    EXPECT_TRUE(snapshotIsPlayable(aboveLanded));
    aboveLanded.slots[0].y = 95 - 1000 - 21;
    EXPECT_FALSE(snapshotIsPlayable(aboveLanded));
    // Points worth nothing are odd but safe.
    GameSnapshot nothing = rulestest::playable();
    nothing.paintPoints = nothing.clearPoints = 0;
    EXPECT_TRUE(snapshotIsPlayable(nothing));
    // clang-format off
    const std::vector<std::pair<const char*, std::function<void(GameSnapshot&)>>> faults = {
        {"kind 7", [](GameSnapshot& s) { s.board.at(1, 1) = Cell{ElementKind{7}, Color::Red}; }},
        {"colour 3", [](GameSnapshot& s) { s.board.at(1, 1).color = Color{3}; }},
        {"negative kind", [](GameSnapshot& s) { s.board.at(0, 0).kind = ElementKind{-1}; }},
        {"element on plain", [](GameSnapshot& s) { s.board.at(2, 2) = Cell{K::Star, C::Plain}; }},
        {"negative weight", [](GameSnapshot& s) { s.drawWeights[0] = -1; s.drawWeights[1] = 35; }},
        {"weights wrapping", [](GameSnapshot& s) {
            s.drawWeights[0] = 2147483647; s.drawWeights[1] = -2147483647 + 11 + 23 - 1; }},
        {"chain 5", [](GameSnapshot& s) { s.bonusChain = 5; }},
        {"chain -1", [](GameSnapshot& s) { s.bonusChain = -1; }},
        {"weights beyond their sum", [](GameSnapshot& s) { s.drawWeights[0] = 3168 - 252; }},
        {"rise 1001", [](GameSnapshot& s) { s.riseSpeed = 1001; }},
        {"rise -1", [](GameSnapshot& s) { s.riseSpeed = -1; }},
        {"points level 0", [](GameSnapshot& s) { s.pointsLevel = 0; }},
        {"points overflowing", [](GameSnapshot& s) { s.clearPoints = 2147483600; }},
        {"active not the first rising", [](GameSnapshot& s) { s.activeIndex = 3; }},
        {"rising out of order", [](GameSnapshot& s) { s.slots[3].y = 199; }},
        {"landed far above the column", [](GameSnapshot& s) { s.slots[0].y = -2000; }},
        {"speed level 0", [](GameSnapshot& s) { s.speedLevel = 0; }},
        {"popups 37", [](GameSnapshot& s) { s.popupCount = 37; }},
        {"popups -1", [](GameSnapshot& s) { s.popupCount = -1; }},
        {"popup style", [](GameSnapshot& s) { s.popups[1].style = PopupStyle{3}; }},
        {"popup negative points", [](GameSnapshot& s) { s.popups[0].points = -1; }},
        {"popup far away", [](GameSnapshot& s) { s.popups[0].x = 1 << 28; }},
        {"popup step", [](GameSnapshot& s) { s.popups[0].step = 5; }},
        {"pile below landed", [](GameSnapshot& s) { s.pileCount = 1; }},
        {"six landed", [](GameSnapshot& s) {
            for (int i = 0; i < 6; ++i)
                s.slots[static_cast<size_t>(i)] = PileSlot{LandingY(i), K::Star, C::Red, 1};
            s.pileCount = s.landedCount = s.activeIndex = 6; }},
        {"landed flag on rising", [](GameSnapshot& s) { s.slots[2].landed = 1; }},
        {"rising flag on landed", [](GameSnapshot& s) { s.slots[1].landed = 0; }},
        {"rising below the column", [](GameSnapshot& s) { s.slots[3].y = 405; }},
        {"slot kind 0", [](GameSnapshot& s) { s.slots[2].kind = ElementKind::None; }},
        {"slot kind 7", [](GameSnapshot& s) { s.slots[2].kind = ElementKind{7}; }},
        {"slot colour 3", [](GameSnapshot& s) { s.slots[2].color = Color{3}; }},
        {"label too tall", [](GameSnapshot& s) { s.ClearLabelSize.height = 49; }},
        {"popup past the canvas", [](GameSnapshot& s) { s.popups[0].y = 481; }},
        {"slot plain", [](GameSnapshot& s) { s.slots[0].color = Color::Plain; }},
        {"negative score", [](GameSnapshot& s) { s.score = -1; }},
        {"label too wide", [](GameSnapshot& s) { s.PaintLabelSize.width = 211; }},
        {"label negative", [](GameSnapshot& s) { s.MultiplierLabelSize.height = -1; }},
    };
    // clang-format on
    for (const auto& [name, fault] : faults) {
        GameSnapshot s = rulestest::playable();
        fault(s);
        EXPECT_FALSE(snapshotIsPlayable(s)) << name;
    }
}

// Games that play may never make, but whose every value fits its field: they are resumed as
// stored and played to their end by the rules, with nothing out of range on the way.
TEST(Snapshot, InRangeGamesResumeAndPlayToTheEnd) {
    // clang-format off
    const std::vector<std::pair<const char*, std::function<void(GameSnapshot&)>>> variants = {
        {"rising elements 74 apart", [](GameSnapshot& s) { s.slots[2].y = 330; }},
        {"rise speed 7 at speed level 1", [](GameSnapshot& s) { s.riseSpeed = 7; s.speedLevel = 1; }},
        {"weights summing to 265", [](GameSnapshot& s) { s.drawWeights[0] = 12; }},
        {"weights at their largest sum", [](GameSnapshot& s) { s.drawWeights[0] = 3168 - 253; }},
        {"points level off its points", [](GameSnapshot& s) { s.pointsLevel = 3; s.paintPoints = 41; }},
        {"seven in the pile", [](GameSnapshot& s) {
            for (int i = 4; i < 7; ++i) s.slots[static_cast<size_t>(i)] = PileSlot{404, K::Star, C::Green, 0};
            s.pileCount = 7; }},
        {"rise speed 0", [](GameSnapshot& s) { s.riseSpeed = 0; }},
    };
    // clang-format on
    for (const auto& [name, variant] : variants) {
        GameSnapshot saved = rulestest::playable();
        variant(saved);
        ASSERT_TRUE(snapshotIsPlayable(saved)) << name;
        GameState game;
        game.GameInProgress = 1;
        uint32_t now = 50000;
        setUpGame(recorder::seam, game, saved, now);
        ASSERT_EQ(game.GameInProgress, 1) << name;
        game.GameRunning = 1;
        int square = 0;
        for (int pass = 0; pass < 20000 && game.GameInProgress; ++pass) {
            if (pass % 7 == 0) {
                const int x = square % 6, y = square / 6 % 6;
                ++square;
                placeAt(recorder::seam, game, 121 + 54 * x + 24, 121 + 54 * y + 24, 480, 480, now);
            }
            gameStep(recorder::seam, game, now);
            now += 101;
            ASSERT_TRUE(game.pileCount >= 0 && game.pileCount <= PileSlotCount) << name;
            ASSERT_TRUE(game.popupCount >= 0 && game.popupCount <= PopupCapacity) << name;
            ASSERT_GE(game.score, 0) << name;
            const bool sound = !game.GameInProgress || snapshotIsPlayable(takeSnapshot(game));
            ASSERT_TRUE(sound) << name << ", pass " << pass;
        }
        // A pile that does not rise never ends its game; every other one does.
        if (saved.riseSpeed > 0) {
            EXPECT_EQ(game.GameInProgress, 0) << name;
        }
    }
}

} // namespace

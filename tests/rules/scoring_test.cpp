// Tests of removal, the arrow bonus chain, crediting, the levels and the score's upper edge.
#include <gtest/gtest.h>

#include <limits>

#include "rules/scoring.h"
#include "tests/rules/rules_test_support.h"

namespace {

using namespace rulestest;
using K = ElementKind;
using C = Color;
using Calls = std::vector<std::string>;

// Puts (kind, color) on every cell but the last, then places it on the last one.
void completeGroup(GameState& game, std::initializer_list<std::pair<int, int>> cells, K kind,
                   C color) {
    for (auto it = cells.begin(); it + 1 != cells.end(); ++it)
        put(game, it->first, it->second, kind, color);
    place(game, (cells.end() - 1)->first, (cells.end() - 1)->second, kind, color);
}

// What the main loop does after a placement: the score panel credits the popups.
void credit(GameState& game) {
    if (game.scoreUpdatePending) seam.refreshScorePanel(game);
}

TEST(Removal, RowOfThreeStarsScoresThreeClearPopupsAndBreaksTheChain) {
    GameState game = newGame();
    game.bonusChain = 2;
    completeGroup(game, {{0, 2}, {1, 2}, {2, 2}}, K::Star, C::Red);
    ASSERT_EQ(game.popupCount, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(game.popups[static_cast<size_t>(i)].style, PopupStyle::Clear);
        EXPECT_EQ(game.popups[static_cast<size_t>(i)].points, 100);
        EXPECT_EQ(game.popups[static_cast<size_t>(i)].step, 0) << "four rises to go";
    }
    EXPECT_EQ(game.popups[0].x, CellOriginX(1)) << "nearest neighbour first";
    EXPECT_EQ(game.popups[2].x, CellOriginX(2)) << "placed cell last";
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(game.board.at(x, 2).color, C::Plain);
    EXPECT_EQ(game.bonusChain, 0);
    EXPECT_EQ(
        recorder::calls,
        (Calls{"DrawCell 2 2 2 6", "PlayGameSound 5005", "RestoreFromBackBuffer 21 276 120",
               "PlayGameSound 5003", "DrawCell 1 2 0 0", "PlayGameSound 5006", "DrawCell 0 2 0 0",
               "PlayGameSound 5006", "DrawCell 2 2 0 0", "PlayGameSound 5006"}));
    credit(game);
    EXPECT_EQ(game.score, 300);
    EXPECT_EQ(game.popups[0].points, 0);
}

TEST(Removal, RowAndColumnThroughThePlacedCellCountItTwice) {
    GameState game = newGame();
    completeGroup(game, {{3, 1}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}, K::Diamond, C::Green);
    EXPECT_EQ(game.popupCount, 6);
    const Calls sounds = recorder::callsStartingWith("PlayGameSound");
    EXPECT_EQ(sounds, (Calls{"PlayGameSound 5005", "PlayGameSound 5003", "PlayGameSound 5003",
                             "PlayGameSound 5006", "PlayGameSound 5006", "PlayGameSound 5006",
                             "PlayGameSound 5006", "PlayGameSound 5006", "PlayGameSound 5006"}));
    credit(game);
    EXPECT_EQ(game.score, 600);
    for (const Cell& c : game.board.cells)
        EXPECT_EQ(c.kind, K::None);
}

TEST(Removal, ArrowsAcrossTheirAxisScoreWithoutBonus) {
    GameState game = newGame();
    game.bonusChain = 3;
    completeGroup(game, {{4, 0}, {4, 1}, {4, 2}}, K::ArrowRight, C::Green);
    EXPECT_EQ(game.bonusChain, 0);
    EXPECT_EQ(game.multiplier, 1);
    credit(game);
    EXPECT_EQ(game.score, 300 + 20) << "three removed and (5, 2) painted";
}

TEST(BonusChain, ArrowGroupsAlongTheirAxisMultiplyAndChain) {
    GameState game = newGame();
    // Column 0 rows 0..2: nothing above row 0 to paint.
    completeGroup(game, {{0, 0}, {0, 1}, {0, 2}}, K::ArrowUp, C::Green);
    EXPECT_EQ(game.bonusChain, 1);
    EXPECT_EQ(game.multiplier, 2);
    ASSERT_EQ(game.popupCount, 4);
    EXPECT_EQ(game.popups[3].style, PopupStyle::Multiplier);
    EXPECT_EQ(game.popups[3].x, 145);
    EXPECT_EQ(game.popups[3].y, 145 + 108);
    EXPECT_EQ(game.popups[3].points, 0);
    EXPECT_EQ(recorder::calls.back(), "RenderMultiplierLabel x2");
    credit(game);
    EXPECT_EQ(game.score, 600);
    EXPECT_EQ(game.multiplier, 1);

    // Each further group in an unbroken chain: x4, x16, x256, x256.
    const int32_t expected[] = {4, 16, 256, 256};
    for (int32_t m : expected) {
        game.popupCount = 0;
        const int32_t before = game.score;
        const int32_t clear = game.clearPoints, paint = game.paintPoints;
        completeGroup(game, {{5, 5}, {4, 5}, {3, 5}}, K::ArrowLeft, C::Red);
        EXPECT_EQ(game.multiplier, m);
        credit(game);
        // Three removed, and (2..0, 5) painted on the first pass only.
        EXPECT_EQ(game.score - before, m * (3 * clear + (m == 4 ? 3 * paint : 0)));
    }
    EXPECT_EQ(game.bonusChain, 4);

    // A placement without a group resets the chain.
    place(game, 3, 3, K::Diamond, C::Green);
    EXPECT_EQ(game.bonusChain, 0);
}

TEST(BonusChain, PaintedSquaresAndRemovedArrowsShareTheMultiplier) {
    GameState game = newGame();
    put(game, 2, 0, K::None, C::Red);
    completeGroup(game, {{2, 3}, {2, 4}, {2, 5}}, K::ArrowUp, C::Green);
    EXPECT_EQ(game.board.at(2, 1).color, C::Green);
    EXPECT_EQ(game.board.at(2, 2).color, C::Green);
    credit(game);
    EXPECT_EQ(game.score, (2 * 20 + 3 * 100) * 2);
}

TEST(Levels, PointsLevelRisesOncePerPassAtStrictThresholds) {
    GameState game = newGame();
    game.score = 19990;
    game.popups[0].points = 10;
    game.popupCount = 1;
    EXPECT_FALSE(creditScore(game)) << "the labels stay";
    EXPECT_EQ(game.score, 20000);
    EXPECT_EQ(game.pointsLevel, 1) << "strictly above the threshold";
    game.popups[0].points = 1;
    EXPECT_TRUE(creditScore(game)) << "the labels show the new points";
    EXPECT_EQ(game.score, 20001);
    EXPECT_EQ(game.paintPoints, 30);
    EXPECT_EQ(game.clearPoints, 200);
    EXPECT_EQ(game.pointsLevel, 2);

    // Far past several thresholds: one level per pass.
    game.score = 500000;
    creditScore(game);
    EXPECT_EQ(game.pointsLevel, 4);
    creditScore(game);
    EXPECT_EQ(game.pointsLevel, 8);
    EXPECT_EQ(game.clearPoints, 400);
    // Near the top the point values stop at their largest.
    game.paintPoints = MaxPointValue - 5;
    game.clearPoints = MaxPointValue - 50;
    creditScore(game);
    EXPECT_EQ(game.pointsLevel, 16);
    EXPECT_EQ(game.paintPoints, MaxPointValue);
    EXPECT_EQ(game.clearPoints, MaxPointValue);
}

TEST(Levels, SpeedLevelWaitsWhileFourHaveLandedAndRisesStrictlyAboveItsThreshold) {
    GameState game = newGame();
    game.score = 100000;
    creditScore(game);
    EXPECT_EQ(game.speedLevel, 1) << "strictly above the threshold";
    game.score = 100001;
    game.landedCount = 4;
    creditScore(game);
    EXPECT_EQ(game.speedLevel, 1);
    EXPECT_EQ(game.riseSpeed, 6);
    game.landedCount = 3;
    creditScore(game);
    EXPECT_EQ(game.speedLevel, 10);
    EXPECT_EQ(game.riseSpeed, 7);
    creditScore(game);
    EXPECT_EQ(game.speedLevel, 10) << "next threshold is 1000000";
}

TEST(Levels, TopOfTheRangeSaturatesWithoutOverflow) {
    GameState game = newGame();
    constexpr int32_t top = std::numeric_limits<int32_t>::max();
    game.score = top - 100;
    game.multiplier = 256;
    for (int i = 0; i < PopupCapacity; ++i)
        game.popups[static_cast<size_t>(i)].points = 1800;
    game.popupCount = PopupCapacity;
    game.unlistedPoints = top;
    creditScore(game);
    EXPECT_EQ(game.score, top);
    // Every level reachable below INT32_MAX is taken, then they stop for good.
    for (int i = 0; i < 40; ++i)
        creditScore(game);
    EXPECT_EQ(game.speedLevel, 100000);
    EXPECT_EQ(game.riseSpeed, 6 + 5);
    EXPECT_EQ(game.pointsLevel, 131072);
    EXPECT_EQ(game.paintPoints, 20 + 10 * 17);
    EXPECT_EQ(game.clearPoints, 100 + 100 * 17);
    EXPECT_EQ(game.score, top);
    EXPECT_TRUE(snapshotIsPlayable(takeSnapshot(game)));
}

TEST(PopupCapacity, FullListNeverOverflowsAndItsPointsStillCount) {
    GameState game = newGame();
    game.popupCount = PopupCapacity - 2;
    for (int i = 0; i < game.popupCount; ++i)
        game.popups[static_cast<size_t>(i)].points = 0;
    const ScorePopup guard = game.popups[PopupCapacity - 1];
    // Row and column of three through (3, 3) plus an arrow bonus and painting: 1 paint,
    // 6 clear and a multiplier, where only 2 entries are free.
    completeGroup(game, {{3, 1}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}, K::ArrowUp, C::Green);
    EXPECT_EQ(game.popupCount, PopupCapacity);
    EXPECT_NE(game.popups[PopupCapacity - 1].tick, guard.tick);
    EXPECT_EQ(game.multiplier, 2);
    credit(game);
    EXPECT_EQ(game.score, (20 + 6 * 100) * 2);
    EXPECT_EQ(game.unlistedPoints, 0);
    // The next crediting adds nothing more, nor does an empty list whatever its unused first
    // entry holds (a saved game may carry one).
    creditScore(game);
    EXPECT_EQ(game.score, (20 + 6 * 100) * 2);
    game.popupCount = 0;
    game.popups[0].points = 500;
    creditScore(game);
    EXPECT_EQ(game.score, (20 + 6 * 100) * 2);
}

} // namespace

// Tests of the snapshot: what it copies, and which stored games it refuses to resume.
#include <gtest/gtest.h>

#include <functional>

#include "rules/game_snapshot.h"
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

TEST(Snapshot, RefusesEveryValueThatCouldBreakPlay) {
    // The base case and a new game are playable; an all-zero record (no file read) is not.
    EXPECT_TRUE(snapshotIsPlayable(rulestest::playable()));
    EXPECT_TRUE(snapshotIsPlayable(takeSnapshot(rulestest::newGame())));
    EXPECT_FALSE(snapshotIsPlayable(GameSnapshot{}));
    // clang-format off
    const std::vector<std::pair<const char*, std::function<void(GameSnapshot&)>>> faults = {
        {"kind 7", [](GameSnapshot& s) { s.board.at(1, 1) = Cell{ElementKind{7}, Color::Red}; }},
        {"colour 3", [](GameSnapshot& s) { s.board.at(1, 1).color = Color{3}; }},
        {"negative kind", [](GameSnapshot& s) { s.board.at(0, 0).kind = ElementKind{-1}; }},
        {"element on plain", [](GameSnapshot& s) { s.board.at(2, 2) = Cell{K::Star, C::Plain}; }},
        {"weights 263", [](GameSnapshot& s) { s.drawWeights[0] = 10; }},
        {"negative weight", [](GameSnapshot& s) { s.drawWeights[0] = -1; s.drawWeights[1] = 35; }},
        {"weights wrapping", [](GameSnapshot& s) {
            s.drawWeights[0] = 2147483647; s.drawWeights[1] = -2147483647 + 11 + 23 - 1; }},
        {"chain 5", [](GameSnapshot& s) { s.bonusChain = 5; }},
        {"chain -1", [](GameSnapshot& s) { s.bonusChain = -1; }},
        {"rise 0", [](GameSnapshot& s) { s.riseSpeed = 0; }},
        {"rise 12", [](GameSnapshot& s) { s.riseSpeed = 12; }},
        {"rise above its speed level", [](GameSnapshot& s) { s.riseSpeed = 9; }},
        {"points level 3", [](GameSnapshot& s) { s.pointsLevel = 3; }},
        {"points level 2^18", [](GameSnapshot& s) {
            s.pointsLevel = 1 << 18; s.paintPoints = 200; s.clearPoints = 1900; }},
        {"paint points off", [](GameSnapshot& s) { s.paintPoints = 41; }},
        {"clear points off", [](GameSnapshot& s) { s.clearPoints = 400; }},
        {"speed level 20", [](GameSnapshot& s) { s.speedLevel = 20; }},
        {"speed level 10^6", [](GameSnapshot& s) { s.speedLevel = 1000000; }},
        {"speed level 0", [](GameSnapshot& s) { s.speedLevel = 0; }},
        {"popups 37", [](GameSnapshot& s) { s.popupCount = 37; }},
        {"popups -1", [](GameSnapshot& s) { s.popupCount = -1; }},
        {"popup style", [](GameSnapshot& s) { s.popups[1].style = PopupStyle{3}; }},
        {"popup points", [](GameSnapshot& s) { s.popups[0].points = 301; }},
        {"popup negative points", [](GameSnapshot& s) { s.popups[0].points = -1; }},
        {"popup far away", [](GameSnapshot& s) { s.popups[0].x = 1 << 28; }},
        {"popup step", [](GameSnapshot& s) { s.popups[0].step = 5; }},
        {"pile 7", [](GameSnapshot& s) { s.pileCount = 7; }},
        {"pile below landed", [](GameSnapshot& s) { s.pileCount = 1; }},
        {"active not landed count", [](GameSnapshot& s) { s.activeIndex = 3; }},
        {"six landed", [](GameSnapshot& s) {
            for (int i = 0; i < 6; ++i)
                s.slots[static_cast<size_t>(i)] = PileSlot{LandingY(i), K::Star, C::Red, 1};
            s.pileCount = s.landedCount = s.activeIndex = 6; }},
        {"landed flag on rising", [](GameSnapshot& s) { s.slots[2].landed = 1; }},
        {"rising flag on landed", [](GameSnapshot& s) { s.slots[1].landed = 0; }},
        {"landed too low", [](GameSnapshot& s) { s.slots[1].y = 144; }},
        {"landed far too high", [](GameSnapshot& s) { s.slots[0].y = 50; }},
        {"rising past its landing", [](GameSnapshot& s) { s.slots[2].y = 191; }},
        {"rising out of order", [](GameSnapshot& s) { s.slots[3].y = 200; }},
        {"rising closer than an entry", [](GameSnapshot& s) { s.slots[3].y = 284; }},
        {"rising below the column", [](GameSnapshot& s) { s.slots[3].y = 405; }},
        {"slot kind 0", [](GameSnapshot& s) { s.slots[2].kind = ElementKind::None; }},
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

} // namespace

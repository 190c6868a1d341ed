// Tests of the random source and the weighted element draw.
#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "rules/runtime_random.h"
#include "rules/setup.h"
#include "tests/rules/rules_test_support.h"

namespace {

// Seeds the generator so that the next crtRand() % 264 is r.
void seedForDraw(int r) {
    for (uint32_t seed = 0;; ++seed) {
        crtSrand(seed);
        if (crtRand() % DrawWeightTotal == r) {
            crtSrand(seed);
            return;
        }
    }
}

GameState withWeights(std::array<int32_t, DrawWeightCount> w) {
    GameState game;
    game.drawWeights = w;
    return game;
}

TEST(RuntimeRandom, FollowsTheRuntimeSequence) {
    crtSrand(1);
    EXPECT_EQ(crtRand(), 41);
    EXPECT_EQ(crtRand(), 18467);
    EXPECT_EQ(crtRand(), 6334);
    EXPECT_EQ(crtRand(), 26500);
    EXPECT_EQ(crtRand(), 19169);
    crtSrand(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int v = crtRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(ElementDraw, WalksTheRunningSumOfTheWeights) {
    GameState game = withWeights({22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22});
    seedForDraw(21);
    DrawnElement e = drawElement(game);
    EXPECT_EQ(e.index, 0);
    EXPECT_EQ(e.kind, ElementKind::ArrowUp);
    EXPECT_EQ(e.color, Color::Green);

    game.drawWeights.fill(22);
    seedForDraw(22);
    e = drawElement(game);
    EXPECT_EQ(e.index, 1);
    EXPECT_EQ(e.kind, ElementKind::ArrowRight);

    game.drawWeights.fill(22);
    seedForDraw(263);
    e = drawElement(game);
    EXPECT_EQ(e.index, 11);
    EXPECT_EQ(e.kind, ElementKind::Star);
    EXPECT_EQ(e.color, Color::Red);

    game.drawWeights.fill(22);
    seedForDraw(132);
    e = drawElement(game);
    EXPECT_EQ(e.index, 6);
    EXPECT_EQ(e.kind, ElementKind::ArrowUp);
    EXPECT_EQ(e.color, Color::Red);
}

TEST(ElementDraw, MovesWeightToTheLowestOtherIndices) {
    // First draw of a new game: the drawn one keeps 11, every other one gets 23.
    GameState game = withWeights({22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22});
    seedForDraw(100); // index 4
    EXPECT_EQ(drawElement(game).index, 4);
    EXPECT_EQ(game.drawWeights,
              (std::array<int32_t, 12>{23, 23, 23, 23, 11, 23, 23, 23, 23, 23, 23, 23}));

    // Drawing index 3 with weight 5: it drops to 0, the five lowest others gain 1.
    game = withWeights({20, 20, 20, 5, 20, 20, 20, 20, 20, 20, 40, 39});
    seedForDraw(62);
    EXPECT_EQ(drawElement(game).index, 3);
    EXPECT_EQ(game.drawWeights,
              (std::array<int32_t, 12>{21, 21, 21, 0, 21, 21, 20, 20, 20, 20, 40, 39}));

    // Index 0 with weight 30: 19 left, indices 1..11 gain 1.
    game = withWeights({30, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 14});
    seedForDraw(0);
    EXPECT_EQ(drawElement(game).index, 0);
    EXPECT_EQ(game.drawWeights,
              (std::array<int32_t, 12>{19, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 15}));

    // Index 11 with weight 4: 0 left, indices 0..3 gain 1.
    game = withWeights({22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 40, 4});
    seedForDraw(262);
    EXPECT_EQ(drawElement(game).index, 11);
    EXPECT_EQ(game.drawWeights,
              (std::array<int32_t, 12>{23, 23, 23, 23, 22, 22, 22, 22, 22, 22, 40, 0}));
}

TEST(ElementDraw, LongRunKeepsTheWeightsSoundAndTheElementsEven) {
    GameState game = withWeights({22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22});
    crtSrand(12345);
    std::array<int, DrawWeightCount> seen{};
    constexpr int draws = 264000;
    for (int i = 0; i < draws; ++i) {
        const auto before = game.drawWeights;
        const DrawnElement e = drawElement(game);
        ASSERT_GT(before[static_cast<size_t>(e.index)], 0) << "a zero weight was drawn";
        ASSERT_EQ(std::accumulate(game.drawWeights.begin(), game.drawWeights.end(), 0),
                  DrawWeightTotal);
        for (int32_t w : game.drawWeights)
            ASSERT_GE(w, 0);
        ++seen[static_cast<size_t>(e.index)];
    }
    for (int n : seen) {
        EXPECT_GT(n, draws * 75 / 1000);
        EXPECT_LT(n, draws * 92 / 1000);
    }
    EXPECT_GT(seen[0], seen[11]); // the freed weight favours the low indices
}

} // namespace

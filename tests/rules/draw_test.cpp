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
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(crtRand(), expected);
    crtSrand(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        const int v = crtRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(ElementDraw, DrawsByRunningSumAndMovesWeightToTheLowestOtherIndices) {
    using W = std::array<int32_t, DrawWeightCount>;
    const W even{22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22};
    struct Case {
        W before;
        int r;
        int index;
        W after;
    };
    // clang-format off
    const Case cases[] = {
        {even, 21, 0, {11, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23}},
        {even, 22, 1, {23, 11, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23}},
        {even, 263, 11, {23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 11}},
        // The last green element and the first red one.
        {even, 131, 5, {23, 23, 23, 23, 23, 11, 23, 23, 23, 23, 23, 23}},
        {even, 132, 6, {23, 23, 23, 23, 23, 23, 11, 23, 23, 23, 23, 23}},
        {{20, 20, 20, 5, 20, 20, 20, 20, 20, 20, 40, 39}, 62, 3,
         {21, 21, 21, 0, 21, 21, 20, 20, 20, 20, 40, 39}},
        {{30, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 14}, 0, 0,
         {19, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 15}},
        {{22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 40, 4}, 262, 11,
         {23, 23, 23, 23, 22, 22, 22, 22, 22, 22, 40, 0}},
        // A zero weight is skipped by the walk.
        {{0, 44, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22}, 0, 1,
         {1, 33, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23}},
        // A loaded game's weights may sum below the range: past them the last element is
        // drawn, and a weight of 0 gives nothing away.
        {{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 200, 11, {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        GameState game = withWeights(c.before);
        seedForDraw(c.r);
        const DrawnElement e = drawElement(game);
        EXPECT_EQ(e.index, c.index) << "r " << c.r;
        EXPECT_EQ(static_cast<int>(e.kind), c.index % 6 + 1);
        EXPECT_EQ(e.color, c.index < 6 ? Color::Green : Color::Red);
        EXPECT_EQ(game.drawWeights, c.after) << "r " << c.r;
    }
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

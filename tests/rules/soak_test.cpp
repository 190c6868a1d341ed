// Soak test: a seeded random player plays thousands of games headless, every invariant checked
// after every placement and pass. Replay a failure with GLIMORA_SOAK_SEED=<seed>.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "rules/game_snapshot.h"
#include "rules/placement.h"
#include "rules/runtime_random.h"
#include "rules/setup.h"
#include "rules/turn.h"
#include "tests/rules/seam_recorder.h"

namespace {

constexpr int GamesToPlay = 10000;
constexpr uint32_t DefaultSeed = 20261207;

uint32_t soakSeed() {
    if (const char* text = std::getenv("GLIMORA_SOAK_SEED")) {
        return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
    }
    return DefaultSeed;
}

// Returns an empty string when the state is sound, else what is wrong.
std::string brokenInvariant(const GameState& g) {
    int32_t sum = 0;
    for (int32_t w : g.drawWeights) {
        if (w < 0 || w > DrawWeightTotal) return "weight out of range";
        sum += w;
    }
    if (sum != DrawWeightTotal) return "weights do not sum to 264";
    if (g.activeIndex != g.landedCount) return "activeIndex != landedCount";
    if (g.pileCount < 0 || g.pileCount > 6) return "more than 6 pile slots in play";
    if (g.landedCount > g.pileCount) return "more landed than in the pile";
    int32_t previousY = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < g.pileCount; ++i) {
        const PileSlot& s = g.slots[static_cast<size_t>(i)];
        if ((i < g.landedCount) != (s.landed == 1)) return "landed slots are not first";
        if (s.y <= previousY) return "pile slots out of order";
        if (s.kind < ElementKind::ArrowUp || s.kind > ElementKind::Star) return "slot kind";
        if (s.color != Color::Green && s.color != Color::Red) return "slot colour";
        previousY = s.y;
    }
    for (const Cell& c : g.board.cells) {
        if (c.color == Color::Plain && c.kind != ElementKind::None) return "plain square holds";
        if (c.kind < ElementKind::None || c.kind > ElementKind::Star) return "cell kind";
        if (c.color < Color::Plain || c.color > Color::Red) return "cell colour";
    }
    if (g.bonusChain < 0 || g.bonusChain > 4) return "bonusChain out of 0..4";
    const int32_t m = g.multiplier;
    if (m != 1 && m != 2 && m != 4 && m != 16 && m != 256) return "multiplier";
    if (g.popupCount < 0 || g.popupCount > PopupCapacity) return "popupCount";
    if (g.riseSpeed < 1) return "riseSpeed below 1";
    if (g.score < 0) return "negative score";
    return {};
}

// Picks the cell whose row and column hold the most identical neighbours of the active
// element, among the cells that accept it; plays like a player aiming for groups.
bool aimedCell(const GameState& g, int& cx, int& cy) {
    const PileSlot& a = g.slots[static_cast<size_t>(g.activeIndex)];
    int best = -1;
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = 0; y < BoardSide; ++y) {
            const Cell& c = g.board.at(x, y);
            if (c.kind != ElementKind::None || (c.color != Color::Plain && c.color != a.color)) {
                continue;
            }
            int score = 0;
            const int dirs[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
            for (const auto& d : dirs) {
                for (int nx = x + d[0], ny = y + d[1];
                     nx >= 0 && nx < BoardSide && ny >= 0 && ny < BoardSide;
                     nx += d[0], ny += d[1]) {
                    const Cell& n = g.board.at(nx, ny);
                    if (n.kind != a.kind || n.color != a.color) break;
                    ++score;
                }
            }
            if (score > best) {
                best = score;
                cx = x;
                cy = y;
            }
        }
    }
    return best >= 0;
}

TEST(RulesSoak, RandomPlayerKeepsEveryInvariantOverTenThousandGames) {
    const uint32_t seed = soakSeed();
    std::printf("rules soak seed %u (replay with GLIMORA_SOAK_SEED=%u)\n", seed, seed);
    SCOPED_TRACE("GLIMORA_SOAK_SEED=" + std::to_string(seed));
    std::mt19937 player(seed);
    crtSrand(seed);
    recorder::reset();
    recorder::recording = false;

    int64_t placements = 0, passes = 0, resumes = 0;
    int32_t bestScore = 0;
    for (int gameNo = 0; gameNo < GamesToPlay; ++gameNo) {
        GameState game;
        uint32_t now = player();
        setUpGame(recorder::seam, game, GameSnapshot{}, now);
        game.GameRunning = 1;
        if (player() % 10 == 0) game.score = static_cast<int32_t>(player() >> 1);
        const uint32_t clickPercent = player() % 40;
        const bool aiming = player() % 2 == 0;
        int32_t lastScore = game.score;
        for (int step = 0; game.GameInProgress; ++step) {
            const bool clicking = step < 1500 && player() % 100 < clickPercent;
            if (clicking) {
                int mx = static_cast<int>(player() % 480), my = static_cast<int>(player() % 480);
                int cx = 0, cy = 0;
                if (aiming && game.activeIndex < game.pileCount && aimedCell(game, cx, cy)) {
                    mx = CellOriginX(cx) + 24;
                    my = CellOriginY(cy) + 24;
                }
                const int32_t pileBefore = game.pileCount;
                placeAt(recorder::seam, game, mx, my, 480, 480, now);
                placements += game.pileCount < pileBefore;
                const std::string broken = brokenInvariant(game);
                ASSERT_TRUE(broken.empty()) << broken << " after a click, game " << gameNo;
            }
            gameStep(recorder::seam, game, now);
            ++passes;
            now += (player() % 8 == 0) ? player() % 250 : 101;
            const std::string broken = brokenInvariant(game);
            ASSERT_TRUE(broken.empty()) << broken << " after a pass, game " << gameNo;
            ASSERT_GE(game.score, lastScore) << "the score went down, game " << gameNo;
            lastScore = game.score;
            ASSERT_LT(step, 200000) << "a game that never ends, game " << gameNo;
            if (!game.GameInProgress) break;

            const GameSnapshot saved = takeSnapshot(game);
            ASSERT_TRUE(snapshotIsPlayable(saved))
                << "play made an unplayable save, game " << gameNo << " pass " << step;
            if (player() % 997 == 0) {
                // Quit and come back: the resumed game goes on from the saved one.
                GameState resumed;
                resumed.GameInProgress = 1;
                setUpGame(recorder::seam, resumed, saved, now);
                ASSERT_EQ(resumed.pileCount, game.pileCount);
                ASSERT_EQ(resumed.score, game.score);
                resumed.GameRunning = 1;
                game = resumed;
                ++resumes;
            }
        }
        // GAME OVER: a press, then the high-score step after the delay.
        ASSERT_EQ(game.GameOverClickArmed, 1) << "game " << gameNo;
        game.GameOverClicked = 1;
        const int64_t offersBefore = recorder::highScoreOffers;
        for (int i = 0; i < 30 && recorder::highScoreOffers == offersBefore; ++i) {
            gameStep(recorder::seam, game, now);
            now += 101;
        }
        ASSERT_EQ(recorder::highScoreOffers, offersBefore + 1) << "game " << gameNo;
        bestScore = std::max(bestScore, game.score);
    }
    std::printf("rules soak: %d games, %lld placements, %lld passes, %lld resumes, best %d\n",
                GamesToPlay, static_cast<long long>(placements), static_cast<long long>(passes),
                static_cast<long long>(resumes), bestScore);
    recorder::recording = true;
}

} // namespace

// Measures how many placements and pile steps per second the rules manage.
#include <benchmark/benchmark.h>

#include "rules/game_snapshot.h"
#include "rules/placement.h"
#include "rules/runtime_random.h"
#include "rules/scoring.h"
#include "rules/setup.h"
#include "rules/turn.h"

namespace {

// Calls that do nothing but credit the score, so the benchmark measures the rules alone.
const GameSeam NullSeam{
    .drawBoardPicture = [] {},
    .drawSquareToBackBuffer = [](int, int, Color, ElementKind) {},
    .drawCell = [](int, int, Color, ElementKind) {},
    .restoreFromBackBuffer = [](int, int, int) {},
    .playSound = [](int) {},
    .renderPopupLabels = [](GameState&) {},
    .renderMultiplierLabel = [](GameState&) {},
    .refreshScorePanel =
        [](GameState& game) {
            creditScore(game);
            game.scoreUpdatePending = 0;
        },
    // Popups live five steps of 100 ms on screen; here they leave at the next pass.
    .animatePopups = [](GameState& game, uint32_t) { game.popupCount = 0; },
    .drawPileSlot = [](const GameState&, int, int, bool) {},
    .redrawRestingPile = [](const GameState&) {},
    .drawGameOverPanel = [] {},
    .showOccupiedNotice = [] {},
    .showWrongColourNotice = [] {},
    .offerHighScore = [](GameState&) {},
};

GameState freshGame(uint32_t now) {
    GameState game;
    setUpGame(NullSeam, game, GameSnapshot{}, now);
    game.GameRunning = 1;
    return game;
}

// One placement per iteration: click the next cell, emptying the board when it is full.
void BM_Placement(benchmark::State& state) {
    crtSrand(1);
    uint32_t now = 1000;
    GameState game = freshGame(now);
    int cell = 0;
    for (auto _ : state) {
        if (game.activeIndex >= game.pileCount) {
            // Keep an element waiting without timing the pile.
            game.slots[static_cast<size_t>(game.pileCount)] =
                PileSlot{300, drawElement(game).kind, Color::Green, 0};
            ++game.pileCount;
        }
        const int x = cell % BoardSide, y = (cell / BoardSide) % BoardSide;
        placeAt(NullSeam, game, CellOriginX(x) + 24, CellOriginY(y) + 24, 480, 480, now);
        if (++cell % BoardCells == 0) game.board = Board{};
        if (game.scoreUpdatePending) {
            creditScore(game);
            game.scoreUpdatePending = 0;
        }
        game.popupCount = 0;
        benchmark::DoNotOptimize(game.score);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Placement);

// One pass of the main loop per iteration (every one a moving pile step), new game at the end.
void BM_PileStep(benchmark::State& state) {
    crtSrand(1);
    uint32_t now = 1000;
    GameState game = freshGame(now);
    for (auto _ : state) {
        now += 101;
        gameStep(NullSeam, game, now);
        if (!game.GameInProgress) game = freshGame(now);
        benchmark::DoNotOptimize(game.pileCount);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PileStep);

} // namespace

BENCHMARK_MAIN();

// Speed of the drawing: a full redraw of the game screen at three window sizes, and one pass
// of the popup and draw-pile animations.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/headless/headless.h"
#include "presentation/canvas.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "presentation/popups.h"

namespace {

// A window of side x side and a game screen with a full board in the back buffer.
GameState prepare(int side) {
    headless::Reset();
    headless::SetClientSize(side, side);
    ClientWidth = side;
    ClientHeight = side;
    CreateGraphicsIfNeeded();
    GameState game;
    DrawBoardPicture();
    for (int c = 0; c < BoardSide; ++c)
        for (int r = 0; r < BoardSide; ++r) {
            Cell& cell = game.board.at(c, r);
            cell.color = static_cast<Color>((c + r) % 3);
            cell.kind = static_cast<ElementKind>((c * 6 + r) % 7);
            DrawSquareToBackBuffer(c, r, cell.color, cell.kind);
        }
    game.score = 1234567;
    RenderPopupLabels(game);
    game.multiplier = 16;
    RenderMultiplierLabel(game);
    game.multiplier = 1;
    return game;
}

void BM_RedrawGameScreen(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    GameState game = prepare(side);
    for (auto _ : state) {
        RedrawGameScreen(game);
        benchmark::DoNotOptimize(platform::WindowSurface().pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_RedrawGameScreen)->Arg(480)->Arg(960)->Arg(1920)->Unit(benchmark::kMicrosecond);

// Eighteen popups in flight (the most one placement makes) and three rising pile elements,
// each advanced once per iteration.
void BM_AnimationPass(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    GameState game = prepare(side);
    uint32_t now = 1000;
    for (int i = 0; i < 3; ++i)
        game.slots[static_cast<size_t>(i)] =
            PileSlot{300 + 90 * i, ElementKind::Diamond, Color::Green, 0};
    game.pileCount = 3;
    for (auto _ : state) {
        if (game.popupCount == 0) {
            for (int i = 0; i < 18; ++i)
                game.popups[static_cast<size_t>(i)] =
                    ScorePopup{CellOriginX(i % 6),        CellOriginY(i / 6 + 2),         0,
                               static_cast<int32_t>(now), static_cast<PopupStyle>(i % 3), 0};
            game.popupCount = 18;
        }
        now += 101;
        AnimatePopups(game, now);
        for (int i = 0; i < 3; ++i) {
            PileSlot& slot = game.slots[static_cast<size_t>(i)];
            int before = slot.y;
            slot.y = slot.y <= 100 ? 400 : slot.y - 6;
            DrawPileSlot(game, i, before, false);
        }
        benchmark::DoNotOptimize(platform::WindowSurface().pixels.data());
    }
}
BENCHMARK(BM_AnimationPass)->Arg(480)->Arg(960)->Arg(1920)->Unit(benchmark::kMicrosecond);

} // namespace

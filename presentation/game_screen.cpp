// The game screen: the back buffer's set-up, the full redraw and the score panel.
#include "presentation/game_screen.h"

#include <cstdint>
#include <cstdio>

#include "presentation/canvas.h"
#include "presentation/graphics.h"
#include "presentation/popups.h"
#include "rules/scoring.h"

namespace {
constexpr int BoardPictureId = 2000;
constexpr int ScoreRightEdge = 426;
} // namespace

void DrawBoardPicture() {
    Surface picture = LoadBitmapResource(BoardPictureId);
    BitBlt(BackBuffer, 0, 0, CanvasSize, CanvasSize, picture, 0, 0, Rop::SrcCopy);
}

void DrawSquareToBackBuffer(int column, int row, Color color, ElementKind kind) {
    if (column < 0 || column >= BoardSide || row < 0 || row >= BoardSide) return;
    int t = CheckedTileIndex(color, kind);
    if (t < 0) return;
    BlitToBackBuffer(CellOriginX(column), CellOriginY(row), 0, 0, TileSet[static_cast<size_t>(t)],
                     Rop::SrcCopy, SquareSize);
}

void RedrawGameScreen(GameState& game) {
    PresentBackBuffer();
    RefreshScorePanel(game);
}

void RefreshScorePanel(GameState& game) {
    if (creditScore(game)) RenderPopupLabels(game);

    TextState saved = ScoreStrip.state;
    ScoreStrip.state = TextState{rgb(255, 255, 255), rgb(0, 0, 0), BkMode::Opaque};
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(game.score));
    TextExtent extent = MeasureText(text);
    WriteText(ScoreStrip.surface, ScoreStrip.state, 0, 0, text);
    // Twice the text's size, its right edge at canvas x 426 and its top at y 48.
    int64_t width = static_cast<int64_t>(ClientWidth) * 2 * extent.cx / CanvasSize;
    int64_t height = static_cast<int64_t>(ClientHeight) * 2 * extent.cy / CanvasSize;
    DrawToWindow(ScaleX(ScoreRightEdge - 2 * extent.cx), ClientHeight / 10, static_cast<int>(width),
                 static_cast<int>(height), ScoreStrip.surface, 0, 0, extent.cx, extent.cy,
                 Rop::SrcCopy);
    ScoreStrip.state = saved;

    game.scoreUpdatePending = 0;
}

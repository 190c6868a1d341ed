// A click on the board: hit test, refusals with their sounds and notices, and the placement.
#include "rules/placement.h"

#include "rules/rules_seam.h"
#include "rules/scoring.h"

namespace {

constexpr int SoundOccupied = 5001;
constexpr int SoundWrongColour = 5004;
constexpr int SoundPlaced = 5005;
constexpr int64_t Canvas = 480;
constexpr int64_t GridStart = 121;
constexpr int64_t GridEnd = 439;
constexpr int64_t CellPitch = 54;

// Takes slot `index` out of the pile: the slots after it move down one place.
void removeSlot(GameState& game, int index) {
    for (int i = index; i + 1 < game.pileCount && i + 1 < PileSlotCount; ++i) {
        game.slots[static_cast<size_t>(i)] = game.slots[static_cast<size_t>(i + 1)];
    }
    --game.pileCount;
}

} // namespace

void placeAt(const GameSeam& seam, GameState& game, int mx, int my, int W, int H, uint32_t now) {
    if (W <= 0 || H <= 0) return;
    // 64-bit: a client size times 439 may not fit in an int.
    const int64_t left = W * GridStart / Canvas, right = W * GridEnd / Canvas;
    const int64_t top = H * GridStart / Canvas, bottom = H * GridEnd / Canvas;
    if (!(left < mx && mx < right && top < my && my < bottom)) return;

    // Without a rising element (only possible between a placement and the next pile step) the
    // click is ignored altogether: no sound, no notice.
    if (game.activeIndex < 0 || game.activeIndex >= game.pileCount ||
        game.activeIndex >= PileSlotCount) {
        return;
    }

    const int x = static_cast<int>(((mx - left) * Canvas / W) / CellPitch);
    const int y = static_cast<int>(((my - top) * Canvas / H) / CellPitch);
    if (x < 0 || x >= BoardSide || y < 0 || y >= BoardSide) return;

    Cell& cell = game.board.at(x, y);
    const PileSlot active = game.slots[static_cast<size_t>(game.activeIndex)];

    if (cell.kind != ElementKind::None) {
        seam.playSound(SoundOccupied);
        if (game.HelpDuringGame && game.OccupiedNoticeArmed) {
            game.OccupiedNoticeArmed = 0;
            seam.showOccupiedNotice();
        }
        return;
    }
    if (cell.color != Color::Plain && cell.color != active.color) {
        seam.playSound(SoundWrongColour);
        if (game.HelpDuringGame && game.WrongColourNoticeArmed) {
            game.WrongColourNoticeArmed = 0;
            seam.showWrongColourNotice();
        }
        return;
    }

    seam.drawCell(x, y, active.color, active.kind);
    cell.kind = active.kind;
    cell.color = active.color;
    seam.playSound(SoundPlaced);
    seam.restoreFromBackBuffer(21, active.y - 24, 120);
    removeSlot(game, game.activeIndex);

    const LineScan scan = lineScan(seam, game, x, y, now);
    removeAndScore(seam, game, scan, now);
}

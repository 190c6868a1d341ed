// Removing completed groups, the arrow bonus chain, and crediting the popups' points.
#include "rules/scoring.h"

#include <algorithm>
#include <limits>

#include "rules/popup_list.h"

namespace {

constexpr int SoundRemoved = 5006;
constexpr int32_t MaxChain = 4;
constexpr int64_t ScoreLimit = std::numeric_limits<int32_t>::max();
constexpr int64_t SpeedThresholdStep = 100000;
constexpr int64_t PointsThresholdStep = 20000;

void removeGroup(const GameSeam& seam, GameState& game, const std::array<GridCell, BoardSide>& list,
                 int count, uint32_t now) {
    if (count < 3) return;
    for (int i = 0; i < count && i < BoardSide; ++i) {
        const GridCell c = list[static_cast<size_t>(i)];
        if (c.x < 0 || c.x >= BoardSide || c.y < 0 || c.y >= BoardSide) continue;
        appendPopup(game, CellOriginX(c.x), CellOriginY(c.y), game.clearPoints, PopupStyle::Clear,
                    now);
        game.board.at(c.x, c.y) = Cell{};
        seam.drawCell(c.x, c.y, Color::Plain, ElementKind::None);
        game.scoreUpdatePending = 1;
        seam.playSound(SoundRemoved);
    }
}

} // namespace

void removeAndScore(const GameSeam& seam, GameState& game, const LineScan& scan, uint32_t now) {
    removeGroup(seam, game, scan.column, scan.columnCount, now);
    removeGroup(seam, game, scan.row, scan.rowCount, now);
    game.multiplier = 1;
    if (scan.columnArrows < 3 && scan.rowArrows < 3) {
        game.bonusChain = 0;
        return;
    }
    // The centre of the placed cell's tile.
    appendPopup(game, CellOriginX(scan.last.x) + 24, CellOriginY(scan.last.y) + 24, 0,
                PopupStyle::Multiplier, now);
    game.bonusChain = std::clamp(game.bonusChain + 1, int32_t{1}, MaxChain);
    game.multiplier = ChainMultipliers[static_cast<size_t>(game.bonusChain)];
    seam.renderMultiplierLabel(game);
    game.scoreUpdatePending = 1;
}

// All arithmetic is done in 64 bits. The score saturates at INT32_MAX instead of wrapping.
// A level rises only when the score is strictly above its threshold; a threshold beyond
// INT32_MAX can never be passed, so the points level stops at 2^17 (threshold 2621440000) and
// the speed level at 10^5 (threshold 10^10), and neither ever overflows.
bool creditScore(GameState& game) {
    const int64_t multiplier = std::clamp(game.multiplier, int32_t{1}, int32_t{256});
    int64_t score = std::max(game.score, int32_t{0});
    const int count = std::clamp(game.popupCount, int32_t{0}, int32_t{PopupCapacity});
    for (int i = 0; i < count; ++i) {
        ScorePopup& p = game.popups[static_cast<size_t>(i)];
        score = std::min(ScoreLimit, score + std::max(p.points, int32_t{0}) * multiplier);
        p.points = 0;
    }
    const int64_t unlisted = std::clamp(game.unlistedPoints, int64_t{0}, ScoreLimit);
    score = std::min(ScoreLimit, score + unlisted * multiplier);
    game.unlistedPoints = 0;
    game.score = static_cast<int32_t>(score);

    if (score > SpeedThresholdStep * game.speedLevel && game.landedCount < 4 &&
        game.speedLevel <= std::numeric_limits<int32_t>::max() / 10) {
        game.speedLevel *= 10;
        ++game.riseSpeed;
    }
    game.multiplier = 1;
    if (score > PointsThresholdStep * game.pointsLevel &&
        game.pointsLevel <= std::numeric_limits<int32_t>::max() / 2) {
        game.paintPoints = std::min(game.paintPoints, MaxPointValue - 10) + 10;
        game.clearPoints = std::min(game.clearPoints, MaxPointValue - 100) + 100;
        game.pointsLevel *= 2;
        return true;
    }
    return false;
}

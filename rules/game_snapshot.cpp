// Copying the saved part of the game state in and out, and judging whether a stored one is sound.
#include "rules/game_snapshot.h"

#include "rules/scoring.h"
#include "rules/turn.h"

GameSnapshot takeSnapshot(const GameState& game) {
    GameSnapshot s;
    s.MultiplierLabelSize = game.MultiplierLabelSize;
    s.PaintLabelSize = game.PaintLabelSize;
    s.ClearLabelSize = game.ClearLabelSize;
    s.board = game.board;
    s.drawWeights = game.drawWeights;
    s.bonusChain = game.bonusChain;
    s.paintPoints = game.paintPoints;
    s.clearPoints = game.clearPoints;
    s.pointsLevel = game.pointsLevel;
    s.popups = game.popups;
    s.popupCount = game.popupCount;
    s.pileCount = game.pileCount;
    s.activeIndex = game.activeIndex;
    s.landedCount = game.landedCount;
    s.speedLevel = game.speedLevel;
    s.riseSpeed = game.riseSpeed;
    s.slots = game.slots;
    s.score = game.score;
    return s;
}

void restoreSnapshot(GameState& game, const GameSnapshot& s) {
    game.drawWeights = s.drawWeights;
    game.board = s.board;
    game.MultiplierLabelSize = s.MultiplierLabelSize;
    game.PaintLabelSize = s.PaintLabelSize;
    game.ClearLabelSize = s.ClearLabelSize;
    game.bonusChain = s.bonusChain;
    game.paintPoints = s.paintPoints;
    game.clearPoints = s.clearPoints;
    game.pointsLevel = s.pointsLevel;
    game.popups = s.popups;
    game.popupCount = s.popupCount;
    game.pileCount = s.pileCount;
    game.activeIndex = s.activeIndex;
    game.landedCount = s.landedCount;
    game.speedLevel = s.speedLevel;
    game.riseSpeed = s.riseSpeed;
    game.slots = s.slots;
    game.score = s.score;
}

namespace {

// A stored game is resumed as it stands, whether or not play could have made it: only values
// that would be unsafe to play from are refused (an index beyond its array, a size beyond its
// picture, arithmetic that could overflow). Every bound below also holds for every state that
// play makes from an accepted one, so a game resumed once is resumed again after it is saved.

// The popup label strips are 210 x 48.
constexpr int32_t LabelStripWidth = 210;
constexpr int32_t LabelStripHeight = 48;
// A popup steps at most 4 times before it is removed.
constexpr int32_t MaxPopupStep = 4;
constexpr int32_t CanvasSize = 480;
// A draw moves weight from one element to others and never changes the sum, so no weight
// ever exceeds a sum that starts within this.
constexpr int64_t MaxWeightSum = int64_t{DrawWeightCount} * DrawWeightTotal;
// Level rises stop the points at this.
constexpr int32_t MaxPoints = MaxPointValue;
// The rise speed grows by 1 for each speed level, at most 10 times (the speed level is
// multiplied by 10 until it would not fit), and pile heights move by the rise speed.
constexpr int32_t MaxRiseSpeed = 1000;
constexpr int32_t HighestPileY = FirstLandingY - MaxRiseSpeed - 20;

bool inRange(int32_t v, int32_t lo, int32_t hi) {
    return v >= lo && v <= hi;
}

bool labelOk(const LabelSize& l) {
    return inRange(l.width, 0, LabelStripWidth) && inRange(l.height, 0, LabelStripHeight);
}

bool elementOk(ElementKind kind, Color color) {
    const auto k = static_cast<int32_t>(kind);
    const auto c = static_cast<int32_t>(color);
    return inRange(k, 1, 6) && inRange(c, 1, 2);
}

bool boardOk(const Board& board) {
    for (const Cell& cell : board.cells) {
        const auto k = static_cast<int32_t>(cell.kind);
        const auto c = static_cast<int32_t>(cell.color);
        if (!inRange(k, 0, 6) || !inRange(c, 0, 2)) return false;
        if (cell.color == Color::Plain && cell.kind != ElementKind::None) return false;
    }
    return true;
}

bool weightsOk(const std::array<int32_t, DrawWeightCount>& weights) {
    int64_t sum = 0;
    for (int32_t w : weights) {
        if (w < 0) return false;
        sum += w;
    }
    return sum <= MaxWeightSum;
}

bool levelsOk(const GameSnapshot& s) {
    return s.pointsLevel >= 1 && s.speedLevel >= 1 && inRange(s.paintPoints, 0, MaxPoints) &&
           inRange(s.clearPoints, 0, MaxPoints) && inRange(s.riseSpeed, 0, MaxRiseSpeed);
}

bool popupsOk(const GameSnapshot& s) {
    if (!inRange(s.popupCount, 0, PopupCapacity)) return false;
    for (int i = 0; i < s.popupCount; ++i) {
        const ScorePopup& p = s.popups[static_cast<size_t>(i)];
        const auto style = static_cast<int32_t>(p.style);
        if (!inRange(style, 0, 2)) return false;
        if (!inRange(p.x, 0, CanvasSize) || !inRange(p.y, 0, CanvasSize)) return false;
        if (!inRange(p.points, 0, MaxPoints)) return false;
        if (!inRange(p.step, 0, MaxPopupStep)) return false;
    }
    return true;
}

bool pileOk(const GameSnapshot& s) {
    // A game in progress never holds its sixth landing (that ends the game in the same pass).
    if (!inRange(s.landedCount, 0, LandingsToEnd - 1)) return false;
    if (!inRange(s.pileCount, s.landedCount, PileSlotCount)) return false;
    // The landed elements come first and the active one is the first still rising: the pile
    // steps and the placement rely on that order, and keep it.
    if (s.activeIndex != s.landedCount) return false;
    int32_t previousY = INT32_MIN;
    for (int i = 0; i < s.pileCount; ++i) {
        const PileSlot& slot = s.slots[static_cast<size_t>(i)];
        if (!elementOk(slot.kind, slot.color)) return false;
        if (slot.landed != (i < s.landedCount ? 1 : 0)) return false;
        if (!inRange(slot.y, HighestPileY, PileEntryBehindY)) return false;
        // Rising elements lie in their order, none above the one before it, so that they land
        // in that order too; how close they are is the player's luck.
        if (i > s.landedCount && slot.y < previousY) return false;
        previousY = slot.y;
    }
    return true;
}

} // namespace

bool snapshotIsPlayable(const GameSnapshot& s) {
    return labelOk(s.MultiplierLabelSize) && labelOk(s.PaintLabelSize) &&
           labelOk(s.ClearLabelSize) && boardOk(s.board) && weightsOk(s.drawWeights) &&
           inRange(s.bonusChain, 0, 4) && levelsOk(s) && popupsOk(s) && pileOk(s) && s.score >= 0;
}

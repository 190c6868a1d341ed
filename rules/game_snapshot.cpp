// Copying the saved part of the game state in and out, and judging whether a stored one is sound.
#include "rules/game_snapshot.h"

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

// The highest levels play can reach: the score stops at INT32_MAX, so the points level stops
// at 2^17 (its threshold 20000 * 2^17 no longer fits) and the speed level at 10^5.
constexpr int MaxPointsLevelExponent = 17;
constexpr int MaxSpeedLevelExponent = 5;
// Each landing lowers the rise speed, each speed level raises it by 1.
constexpr int32_t MaxRiseSpeed = StartRiseSpeed + MaxSpeedLevelExponent;
// The popup label strips are 210 x 48.
constexpr int32_t LabelStripWidth = 210;
constexpr int32_t LabelStripHeight = 48;
// A popup steps at most 4 times before it is removed.
constexpr int32_t MaxPopupStep = 4;
constexpr int32_t CanvasSize = 480;
// An element enters behind another once that one has risen this far above the entry line.
constexpr int32_t EntryGap = PileEntryBehindY - PileEntryGapY;

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
    int32_t sum = 0;
    for (int32_t w : weights) {
        if (!inRange(w, 0, DrawWeightTotal)) return false;
        sum += w; // at most 12 * 264: no overflow
    }
    return sum == DrawWeightTotal;
}

// The speed level's exponent j (speedLevel = 10^j), or -1 when the levels are not ones that
// play reaches.
int levelsExponent(const GameSnapshot& s) {
    int32_t power = 1;
    bool pointsFound = false;
    for (int k = 0; k <= MaxPointsLevelExponent; ++k, power *= 2) {
        if (s.pointsLevel == power) {
            pointsFound = s.paintPoints == 20 + 10 * k && s.clearPoints == 100 + 100 * k;
            break;
        }
    }
    if (!pointsFound) return -1;
    power = 1;
    for (int k = 0; k <= MaxSpeedLevelExponent; ++k, power *= 10) {
        if (s.speedLevel == power) return k;
    }
    return -1;
}

// Each speed level adds 1 to the rise speed and each landing takes 1 away, so the rise speed
// is never above the starting speed plus the speed level's exponent. A higher one would pass
// the top speed once play raises the level again.
bool speedOk(const GameSnapshot& s) {
    const int exponent = levelsExponent(s);
    return exponent >= 0 && inRange(s.riseSpeed, 1, StartRiseSpeed + exponent);
}

bool popupsOk(const GameSnapshot& s) {
    if (!inRange(s.popupCount, 0, PopupCapacity)) return false;
    for (int i = 0; i < s.popupCount; ++i) {
        const ScorePopup& p = s.popups[static_cast<size_t>(i)];
        const auto style = static_cast<int32_t>(p.style);
        if (!inRange(style, 0, 2)) return false;
        if (!inRange(p.x, 0, CanvasSize) || !inRange(p.y, 0, CanvasSize)) return false;
        if (!inRange(p.points, 0, s.clearPoints)) return false;
        if (!inRange(p.step, 0, MaxPopupStep)) return false;
    }
    return true;
}

bool pileOk(const GameSnapshot& s) {
    // A game in progress never holds its sixth landing (that ends the game in the same pass),
    // and never more than 6 elements.
    if (!inRange(s.landedCount, 0, LandingsToEnd - 1)) return false;
    if (!inRange(s.pileCount, s.landedCount, LandingsToEnd)) return false;
    if (s.activeIndex != s.landedCount) return false;
    int32_t previousY = -1;
    for (int i = 0; i < s.pileCount; ++i) {
        const PileSlot& slot = s.slots[static_cast<size_t>(i)];
        if (!elementOk(slot.kind, slot.color)) return false;
        if (i < s.landedCount) {
            // The i-th landing happens at most one rise step past its landing height.
            if (slot.landed != 1) return false;
            if (!inRange(slot.y, LandingY(i) - MaxRiseSpeed, LandingY(i))) return false;
        } else {
            // Rising elements are below the next landing height, each lower than the one before
            // by at least the gap at which elements enter: all of them rise at the same speed,
            // so play never brings two closer, and one that came closer would land far past its
            // landing height.
            if (slot.landed != 0) return false;
            if (!inRange(slot.y, LandingY(s.landedCount) + 1, PileEntryBehindY)) return false;
            if (i > s.landedCount && slot.y - previousY < EntryGap) return false;
        }
        previousY = slot.y;
    }
    return true;
}

} // namespace

bool snapshotIsPlayable(const GameSnapshot& s) {
    return labelOk(s.MultiplierLabelSize) && labelOk(s.PaintLabelSize) &&
           labelOk(s.ClearLabelSize) && boardOk(s.board) && weightsOk(s.drawWeights) &&
           inRange(s.bonusChain, 0, 4) && speedOk(s) && popupsOk(s) && pileOk(s) && s.score >= 0;
}

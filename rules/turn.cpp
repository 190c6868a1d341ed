// One pass of the game: the draw pile's entries, rise and landings, then the end of a game.
#include "rules/turn.h"

#include "rules/setup.h"

namespace {

constexpr int SoundLanded = 5002;

void enterElement(GameState& game, int index, int32_t y) {
    const DrawnElement e = drawElement(game);
    PileSlot& slot = game.slots[static_cast<size_t>(index)];
    slot.y = y;
    slot.kind = e.kind;
    slot.color = e.color;
    slot.landed = 0;
}

} // namespace

void pileStep(const GameSeam& seam, GameState& game, uint32_t now) {
    // After the sixth landing nothing enters or rises any more.
    if (game.landedCount >= LandingsToEnd) return;
    if (game.pileCount < 0 || game.pileCount > PileSlotCount) return;

    if (game.pileCount == 0) {
        enterElement(game, 0, PileEntryEmptyY);
        game.pileCount = 1;
        game.activeIndex = 0;
    } else if (game.pileCount < PileSlotCount &&
               game.slots[static_cast<size_t>(game.pileCount - 1)].y <= PileEntryGapY) {
        // The seventh slot is the last one there is: no entry beyond it.
        enterElement(game, game.pileCount, PileEntryBehindY);
        ++game.pileCount;
    }

    if (now - game.lastPileStep <= PileStepInterval) return;
    for (int i = 0; i < game.pileCount; ++i) {
        // Elements that rise close together may land in one step: the sixth ends it all.
        if (game.landedCount >= LandingsToEnd) break;
        PileSlot& slot = game.slots[static_cast<size_t>(i)];
        if (slot.landed) continue;
        const int32_t previousY = slot.y;
        slot.y -= game.riseSpeed;
        bool landedNow = false;
        bool slowDown = false;
        if (slot.y <= LandingY(game.landedCount)) {
            landedNow = true;
            slot.landed = 1;
            ++game.activeIndex;
            ++game.landedCount;
            seam.playSound(SoundLanded);
            slowDown = game.riseSpeed > 2 || (game.riseSpeed > 1 && game.landedCount > 4);
            if (game.landedCount >= LandingsToEnd) game.gameOverPending = 1;
        }
        seam.drawPileSlot(game, i, previousY, landedNow);
        game.lastPileStep = now;
        if (slowDown) --game.riseSpeed;
    }
}

void gameStep(const GameSeam& seam, GameState& game, uint32_t now) {
    pileStep(seam, game, now);
    if (game.scoreUpdatePending) seam.refreshScorePanel(game);
    seam.animatePopups(game, now);
    if (game.gameOverPending) {
        game.GameInProgress = 0;
        game.GameRunning = 0;
        seam.drawGameOverPanel();
        game.GameOverShownAt = now;
        game.gameOverPending = 0;
        game.GameOverClickArmed = 1;
    }
    if (game.GameOverClicked && now - game.GameOverShownAt > GameOverDelay) {
        game.GameOverClicked = 0;
        game.FinishedGame = 1;
        seam.offerHighScore(game);
    }
}

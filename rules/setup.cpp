// Setting up a new game or resuming the saved one, building the back buffer as it goes.
#include "rules/setup.h"
#include "rules/game_snapshot.h"
#include "rules/turn.h"

namespace {

constexpr int32_t StartWeight = DrawWeightTotal / DrawWeightCount; // 22

void setNewGameCounters(GameState& game) {
    game.pileCount = 0;
    game.activeIndex = 0;
    game.riseSpeed = StartRiseSpeed;
    game.landedCount = 0;
    game.score = 0;
    game.popupCount = 0;
    game.pointsLevel = 1;
    game.paintPoints = 20;
    game.clearPoints = 100;
    game.speedLevel = 1;
    game.bonusChain = 0;
}

} // namespace

void setUpGame(const GameSeam& seam, GameState& game, const GameSnapshot& saved, uint32_t now) {
    // A stored game the rules could not have produced is not resumed: a new game starts instead.
    const bool resume = game.GameInProgress != 0 && snapshotIsPlayable(saved);

    seam.drawBoardPicture();
    game.Paused = 0;

    if (resume) {
        restoreSnapshot(game, saved);
    } else {
        game.drawWeights.fill(StartWeight);
        game.board = Board{};
        setNewGameCounters(game);
    }
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = 0; y < BoardSide; ++y) {
            const Cell& cell = game.board.at(x, y);
            seam.drawSquareToBackBuffer(x, y, cell.color, cell.kind);
        }
    }
    game.lastPileStep = now;

    // Left over from an earlier game: nothing pending, no game-over sequence under way.
    game.unlistedPoints = 0;
    game.scoreUpdatePending = 0;
    game.gameOverPending = 0;
    game.GameOverClickArmed = 0;
    game.GameOverClicked = 0;

    seam.renderPopupLabels(game);
    game.multiplier = 1;
    if (resume) seam.redrawRestingPile(game);
    game.GameInProgress = 1;
}

// The program's calls for the rules: the presentation's drawing and sounds, and the shell's
// notices of a refused click and high-score step.
#include "shell/game_seam.h"

#include "persistence/high_scores.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "presentation/pile.h"
#include "presentation/popups.h"
#include "presentation/screens.h"
#include "presentation/sounds.h"
#include "resources/ui/ui_data.h"
#include "shell/dialog_procedures.h"
#include "shell/program_state.h"
#include "shell/screens.h"

namespace {

void showOccupiedNotice() {
    RunNoticeDialog(dialog_id::OccupiedNotice);
}

void showWrongColourNotice() {
    RunNoticeDialog(dialog_id::WrongColourNotice);
}

void offerHighScore(GameState& game) {
    ProgramState& p = Program();
    // The high-score screen offers Play again after a finished game.
    p.ReturnScreen = GameScreen;
    const int row = enterFinishedGame(p.save.highScores, game.score);
    if (row >= 0) {
        RunPlayerNameDialog(row);
    } else {
        ShowHighScoreScreen();
    }
}

} // namespace

const GameSeam ProgramSeam{
    .drawBoardPicture = DrawBoardPicture,
    .drawSquareToBackBuffer = DrawSquareToBackBuffer,
    .drawCell = DrawCell,
    .restoreFromBackBuffer = RestoreFromBackBuffer,
    .playSound = PlayGameSound,
    .renderPopupLabels = RenderPopupLabels,
    .renderMultiplierLabel = RenderMultiplierLabel,
    .refreshScorePanel = RefreshScorePanel,
    .animatePopups = AnimatePopups,
    .drawPileSlot = DrawPileSlot,
    .redrawRestingPile = RedrawRestingPile,
    .drawGameOverPanel = DrawGameOverPanel,
    .showOccupiedNotice = showOccupiedNotice,
    .showWrongColourNotice = showWrongColourNotice,
    .offerHighScore = offerHighScore,
};

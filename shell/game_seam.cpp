// What the rules ask of the shell: the notices of a refused click and the high-score step.
#include "persistence/high_scores.h"
#include "resources/ui/ui_data.h"
#include "rules/rules_seam.h"
#include "shell/dialog_procedures.h"
#include "shell/program_state.h"
#include "shell/screens.h"

void ShowOccupiedNotice() {
    RunNoticeDialog(dialog_id::OccupiedNotice);
}

void ShowWrongColourNotice() {
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

// The screen operations shared by the window procedure, the menu commands and the dialogs.
#include "shell/screens.h"

#include <array>
#include <cstring>

#include "platform/platform.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "presentation/screens.h"
#include "rules/setup.h"
#include "shell/game_seam.h"
#include "shell/keyboard.h"
#include "shell/program_state.h"

namespace {

std::array<ScoreRow, 6> ScoreRows(const HighScoreTable& table) {
    std::array<ScoreRow, 6> rows{};
    for (size_t i = 0; i < rows.size(); ++i) {
        const HighScoreEntry& entry = table[i];
        rows[i].name.assign(entry.name.data(), strnlen(entry.name.data(), entry.name.size()));
        rows[i].score = entry.score;
        rows[i].used = entry.used != 0;
    }
    return rows;
}

} // namespace

void ShowTitleScreen() {
    ProgramState& p = Program();
    p.Screen = TitleScreen;
    DrawTitleScreen(p.Language);
    if (p.RedrawRequested) {
        platform::RequestRepaint();
        p.RedrawRequested = 0;
    }
}

void ShowHelpScreen() {
    ProgramState& p = Program();
    // Help over help changes nothing about where its OK leads. Over the high-score screen the
    // high-score screen's own return is kept aside, so that coming back offers what it did.
    if (p.Screen != HelpScreen) {
        if (p.Screen == HighScoreScreen) p.HelpSavedReturnScreen = p.ReturnScreen;
        p.ReturnScreen = p.Screen;
    }
    p.Screen = HelpScreen;
    DrawHelpScreen(p.Language);
}

void ShowHighScoreScreen() {
    ProgramState& p = Program();
    p.Screen = HighScoreScreen;
    DrawHighScoreScreen(p.Language, p.ReturnScreen == GameScreen, ScoreRows(p.save.highScores));
    if (p.game.FinishedGame) p.game.GameInProgress = 0;
}

void LeaveHighScoreScreen() {
    ProgramState& p = Program();
    p.game.GameInProgress = 0;
    // The finished game has had its high-score screen; left set, the flag would turn a later
    // visit to this screen during another game into the end of that game.
    p.game.FinishedGame = 0;
    p.ReturnScreen = TitleScreen;
    ShowTitleScreen();
}

bool GameOverShown() {
    const ProgramState& p = Program();
    const GameState& game = p.game;
    // Between the panel's first drawing and the high-score step, on the unpaused game screen
    // (the pause picture covers the panel while paused).
    return p.Screen == GameScreen && game.Paused == 0 && game.GameInProgress == 0 &&
           (game.GameOverClickArmed != 0 || game.GameOverClicked != 0);
}

void PauseOverlaySequence() {
    ProgramState& p = Program();
    p.PauseOverlayPending = 0;
    DrawPauseOverlay(p.game, p.Language);
}

void StartNewGame() {
    ProgramState& p = Program();
    GameState& game = p.game;
    CreateGraphicsIfNeeded();
    p.NewGameStarted = 1;
    game.GameInProgress = 0;
    // A GAME OVER of an earlier game that was left unacknowledged (or acknowledged and still
    // waiting for its delay) must not end this new game.
    game.GameOverClickArmed = 0;
    game.GameOverClicked = 0;
    setUpGame(ProgramSeam, game, p.save.snapshot, platform::GetTicks());
    p.gameStartedThisRun = true;
    BoardCursorHome();
    p.Screen = GameScreen;
    RedrawGameScreen(game);
}

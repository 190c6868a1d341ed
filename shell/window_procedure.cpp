// The main window procedure: square client area, repaint by screen, clicks, commands, shutdown.
#include <algorithm>
#include <cstdint>

#include "persistence/saved_game.h"
#include "persistence/slot_file.h"
#include "platform/platform.h"
#include "presentation/canvas.h"
#include "presentation/game_screen.h"
#include "presentation/graphics.h"
#include "presentation/key_marks.h"
#include "presentation/popups.h"
#include "presentation/screens.h"
#include "resources/ui/ui_data.h"
#include "rules/placement.h"
#include "rules/runtime_random.h"
#include "rules/setup.h"
#include "shell/dialog_procedures.h"
#include "shell/game_seam.h"
#include "shell/keyboard.h"
#include "shell/menu_commands.h"
#include "shell/program_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace {

// Click regions in canvas units: (x0, y0)-(x1, y1), hit strictly inside.
struct Region {
    int x0, y0, x1, y1;
};
constexpr Region PlayButton{303, 133, 425, 187};
constexpr Region OptionsButton{303, 231, 425, 287};
constexpr Region TitleHelpButton{303, 323, 425, 380};
constexpr Region PlayAgainButton{21, 387, 249, 483};
constexpr Region HighScoreExitButton{282, 387, 462, 483};
constexpr Region HelpOkButton{165, 387, 310, 450};

// The client area is kept square within 10 pixels, and never smaller than 480 a side.
constexpr int SquareTolerance = 10;
constexpr int SmallestSide = 480;

bool Hit(const Region& r, int x, int y) {
    return InCanvasRect(x, y, r.x0, r.y0, r.x1, r.y1);
}

void SquareRule() {
    int w = 0;
    int h = 0;
    platform::GetClientSize(w, h);
    if (w < h - SquareTolerance || w > h + SquareTolerance) {
        const int side = std::max(std::min(w, h), SmallestSide);
        w = side;
        h = side;
        platform::MakeClientSquare(side);
    }
    ClientWidth = w;
    ClientHeight = h;
}

void Repaint() {
    ProgramState& p = Program();
    switch (p.Screen) {
    case TitleScreen:
        ShowTitleScreen();
        break;
    case GameScreen:
        if (p.game.Paused) {
            PauseOverlaySequence();
        } else {
            RedrawGameScreen(p.game);
            // A full redraw takes the panel away; without it the full pile looks frozen.
            if (GameOverShown()) DrawGameOverPanel();
        }
        break;
    case HighScoreScreen:
        ShowHighScoreScreen();
        break;
    case HelpScreen:
        DrawHelpScreen(p.Language);
        break;
    }
}

void TitleClick(int x, int y) {
    if (Hit(PlayButton, x, y)) {
        StartNewGame();
    } else if (Hit(OptionsButton, x, y)) {
        RunOptionsDialog();
    } else if (Hit(TitleHelpButton, x, y)) {
        ShowHelpScreen();
    }
}

void HighScoreClick(int x, int y) {
    ProgramState& p = Program();
    GameState& game = p.game;
    if (p.ReturnScreen == GameScreen && Hit(PlayAgainButton, x, y)) {
        if (game.FinishedGame) {
            p.NewGameStarted = 1;
            game.FinishedGame = 0;
            game.GameRunning = 0;
            game.GameInProgress = 0;
        }
        if (p.NewGameStarted) {
            CreateGraphicsIfNeeded();
            if (game.GameInProgress == 0) {
                game.GameOverClickArmed = 0;
                game.GameOverClicked = 0;
            }
            setUpGame(ProgramSeam, game, p.save.snapshot, platform::GetTicks());
            p.gameStartedThisRun = true;
            BoardCursorHome();
        }
        p.Screen = GameScreen;
        RedrawGameScreen(game);
    } else if (Hit(HighScoreExitButton, x, y)) {
        // Leaving throws the game in progress away: the player is asked first, as New Game
        // and Abandon Game ask.
        if (game.GameInProgress != 0) {
            RunAbandonDialog(AbandonChoice::LeaveHighScores);
        } else {
            LeaveHighScoreScreen();
        }
    }
}

void HelpClick(int x, int y) {
    ProgramState& p = Program();
    if (!Hit(HelpOkButton, x, y)) return;
    switch (p.ReturnScreen) {
    case GameScreen:
        p.Screen = GameScreen;
        RedrawGameScreen(p.game);
        break;
    case TitleScreen:
        p.game.GameInProgress = 0;
        ShowTitleScreen();
        break;
    case HighScoreScreen:
        // Back to the high-score screen as it was before the help covered it.
        p.ReturnScreen = p.HelpSavedReturnScreen;
        ShowHighScoreScreen();
        break;
    case HelpScreen:
        // Not kept (help over help keeps the first screen); the title is the safe way out.
        p.game.GameInProgress = 0;
        ShowTitleScreen();
        break;
    }
}

void GamePress() {
    ProgramState& p = Program();
    GameState& game = p.game;
    p.ButtonDown = 1;
    if (game.Paused) p.ResumeOnRelease = 1;
    if (game.GameOverClickArmed) {
        game.GameOverClicked = 1;
        game.GameOverClickArmed = 0;
    }
}

void GameClick(int x, int y) {
    ProgramState& p = Program();
    GameState& game = p.game;
    if (p.ButtonDown && game.GameRunning) {
        const int32_t rising = game.pileCount;
        placeAt(ProgramSeam, game, x, y, ClientWidth, ClientHeight, platform::GetTicks());
        // The element left the pile for the board.
        if (game.pileCount < rising) p.scoreToSay = true;
    }
    if (p.ResumeOnRelease) {
        game.Paused = 0;
        BoardCursorHome();
        RedrawGameScreen(game);
        ClearPopups(game);
        RefreshScorePanel(game);
        // A game whose GAME OVER was shown has ended: the pile stays still and the board takes
        // no more elements; the press has acknowledged GAME OVER and the high-score step
        // follows. The panel is shown again meanwhile.
        if (game.GameInProgress != 0) {
            game.GameRunning = 1;
        } else {
            DrawGameOverPanel();
        }
        p.ResumeOnRelease = 0;
    }
    p.ButtonDown = 0;
}

void Command(int id) {
    ProgramState& p = Program();
    if (p.Screen == GameScreen) {
        p.game.Paused = 1;
        p.game.GameRunning = 0;
        p.RedrawRequested = 1;
        p.PauseOverlayPending = 1;
        ShowKeyMarks(); // a paused game shows no cursor
    }
    RunMenuCommand(id);
}

// A press of the left button (or the key that stands for it) on the client.
void Press() {
    if (Program().Screen == GameScreen) GamePress();
}

// A release of the left button at client (x, y).
void Release(int x, int y) {
    switch (Program().Screen) {
    case TitleScreen:
        TitleClick(x, y);
        break;
    case GameScreen:
        GameClick(x, y);
        break;
    case HighScoreScreen:
        HighScoreClick(x, y);
        break;
    case HelpScreen:
        HelpClick(x, y);
        break;
    }
}

// A key the window was given: the cursor or focus moves, or it clicks or pauses.
void KeyDown(const platform::Event& event) {
    const KeyOutcome outcome = KeyPressed(event);
    switch (outcome.action) {
    case KeyOutcome::Action::Click:
        Press();
        Release(outcome.x, outcome.y);
        break;
    case KeyOutcome::Action::Pause:
        Command(Program().Language == 0 ? menu_id::FrenchPause
                                        : menu_id::FrenchPause + menu_id::EnglishOffset);
        break;
    case KeyOutcome::Action::None:
        break;
    }
}

void Shutdown() {
    ProgramState& p = Program();
    GameState& game = p.game;
    // The options and the game flag live in the game state while the program runs.
    p.save.GameInProgress = game.GameInProgress;
    p.save.HelpDuringGame = game.HelpDuringGame;
    p.save.OccupiedNoticeArmed = game.OccupiedNoticeArmed;
    p.save.WrongColourNoticeArmed = game.WrongColourNoticeArmed;
    takeSnapshot(p.save, game, p.gameStartedThisRun);
    // The exit status says whether both files were written.
    bool written = false;
    if (p.SavedGameUnreadable || p.SlotFileUnreadable) {
        // Said at start-up: the file that could not be read stays as it was.
    } else if (p.SaveDisabled == 0 && !p.SavePath.empty()) {
        written = saveSavedGame(p.save, p.SavePath);
    } else {
        platform::ShowMessage("Cannot write the save file.", "Error!");
    }
    p.SavePath.clear();
    if (p.SlotFileUnreadable) {
        written = false;
    } else if (!p.SlotFilePath.empty()) {
        written = updateSlotFile(p.slots, p.SlotFilePath) && written;
    } else {
        // No folder for the slot file this run: reported as its failed write would be.
        platform::ShowMessage("Error 4.", "Error!");
        written = false;
    }
    p.SlotFilePath.clear();
    // The window goes, and the keyboard's frame with it.
    p.keys.shown = false;
    ForgetKeyMark();
    ReleaseGraphics();
    platform::PostQuit(written ? 0 : 1);
}

} // namespace

void MainWindowProcedure(const platform::Event& event) {
    // Mouse positions arrive as unsigned 16-bit client coordinates.
    const int x = event.x & 0xFFFF;
    const int y = event.y & 0xFFFF;
    switch (event.type) {
    case platform::EventType::Create:
        crtSrand(platform::GetTicks());
        break;
    case platform::EventType::Destroy:
        Shutdown();
        break;
    case platform::EventType::Size:
        platform::RequestRepaint();
        break;
    case platform::EventType::Paint:
        SquareRule();
        Repaint();
        break;
    case platform::EventType::Command:
        Command(event.id);
        break;
    case platform::EventType::LeftDown:
        PointerPressed();
        Press();
        break;
    case platform::EventType::LeftUp:
        Release(x, y);
        break;
    case platform::EventType::LeftDoubleClick:
        // The second press of a double click is not a press: its release places nothing.
        PointerPressed();
        break;
    case platform::EventType::KeyDown:
        KeyDown(event);
        break;
    case platform::EventType::Close:
        platform::DestroyMainWindow();
        return;
    }
    // Whatever the event changed, the keyboard's frame follows (the window is there to draw on).
    if (event.type != platform::EventType::Create && event.type != platform::EventType::Destroy)
        ShowKeyMarks();
}

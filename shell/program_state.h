// The one instance of the program's state: the screen, its flags, the game, the files of the run.
#pragma once

#include <cstdint>
#include <string>

#include "persistence/save_record.h"
#include "persistence/slot_file.h"
#include "rules/game_state.h"

enum ScreenState : int32_t {
    TitleScreen = 0,
    GameScreen = 1,
    HighScoreScreen = 2,
    HelpScreen = 3,
};

// The keyboard's place on the screen it was last used on: the board cursor, the picture
// button in focus, and whether its frame shows (from a key press until the next click).
struct KeyFocus {
    ScreenState screen = TitleScreen;
    bool shown = false;
    int column = 0;
    int row = 0;
    // The picture button in focus; -1 for none yet (a new screen, or the keyboard went on to
    // the page around the window): the next Tab takes the first, Shift+Tab the last.
    int button = -1;
};

struct ProgramState {
    ScreenState Screen = TitleScreen;
    // The screen the help or high-score screen was opened from.
    ScreenState ReturnScreen = TitleScreen;
    // The ReturnScreen in force when the help was opened over the high-score screen, given
    // back when the help's OK leads there again (so Play again keeps its meaning).
    ScreenState HelpSavedReturnScreen = TitleScreen;

    int32_t NewGameStarted = 1;
    int32_t RedrawRequested = 0;
    int32_t PauseOverlayPending = 0;
    int32_t ResumeOnRelease = 0;
    int32_t ButtonDown = 0;

    // Running, Paused, GameInProgress, the options and the end-of-game flags live here.
    GameState game;

    uint8_t Language = 1;
    int32_t SaveDisabled = 0;
    // A file that is there but could not be read at start-up is never written over.
    bool SavedGameUnreadable = false;
    bool SlotFileUnreadable = false;
    int PlayerSlot = 0;
    std::string UserName;
    std::string SavePath;     // empty: no saved game this run
    std::string SlotFilePath; // empty: no slot file this run
    SaveRecord save;
    SlotRecord slots;
    bool gameStartedThisRun = false;

    KeyFocus keys;

    // The main loop's own bookkeeping.
    int exitCode = 0;
    bool quitReached = false;
    bool lastPassDispatched = false;
    bool pileMovedLastPass = false;
    // An element was placed: the score is said once the pass has credited its points.
    bool scoreToSay = false;
};

// The program's state; exactly one.
ProgramState& Program();

// Everything back to how the program starts (tests run several sessions in one process).
void ResetProgramState();

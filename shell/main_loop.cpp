// The main loop: one event per pass, then the game's work; it waits only when nothing is due.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/platform.h"
#include "presentation/popups.h"
#include "rules/turn.h"
#include "shell/game_seam.h"
#include "shell/keyboard.h"
#include "shell/program_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace {

constexpr uint32_t NoTimeout = UINT32_MAX;

// Milliseconds from `now` until `moment`; 0 when it has come.
uint32_t Until(uint32_t moment, uint32_t now) {
    const uint32_t ahead = moment - now;
    // A moment more than half the counter's range ahead is one that has passed.
    return ahead > UINT32_MAX / 2 ? 0 : ahead;
}

// The score as a screen reader says it after a placement, in the game's language.
void SayScore() {
    const ProgramState& p = Program();
    char text[32];
    std::snprintf(text, sizeof text, p.Language == 0 ? "Score : %d" : "Score: %d",
                  static_cast<int>(p.game.score));
    platform::Announce(text);
}

} // namespace

bool MainLoopPass() {
    ProgramState& p = Program();
    GameState& game = p.game;
    if (p.quitReached) return false;

    int exitCode = 0;
    const platform::PumpResult pumped = platform::PumpOne(exitCode);
    if (pumped == platform::PumpResult::Quit) {
        p.exitCode = exitCode;
        p.quitReached = true;
        return false;
    }
    p.lastPassDispatched = pumped == platform::PumpResult::Dispatched;

    if (p.Screen == GameScreen) {
        if (p.RedrawRequested) {
            platform::RequestRepaint();
            p.RedrawRequested = 0;
        }
        if (p.NewGameStarted) {
            if (!game.Paused) game.GameRunning = 1;
            p.NewGameStarted = 0;
        }
    }

    p.pileMovedLastPass = false;
    if ((p.Screen == GameScreen && game.GameRunning) || game.GameOverClicked) {
        const uint32_t lastStep = game.lastPileStep;
        const int32_t pileCount = game.pileCount;
        const int32_t gameOverArmed = game.GameOverClickArmed;
        gameStep(ProgramSeam, game, platform::GetTicks());
        p.pileMovedLastPass = game.lastPileStep != lastStep || game.pileCount != pileCount;
        if (!gameOverArmed && game.GameOverClickArmed) platform::Announce("GAME OVER");
    }
    if (p.scoreToSay && !game.scoreUpdatePending) {
        p.scoreToSay = false;
        SayScore();
    }

    if (game.Paused && p.PauseOverlayPending && p.Screen == GameScreen) PauseOverlaySequence();
    // The game's own work may have ended the game or changed the screen.
    ShowKeyMarks();
    return true;
}

uint32_t TimeUntilDue(uint32_t now) {
    const ProgramState& p = Program();
    const GameState& game = p.game;
    if (p.quitReached) return 0;
    // Work the next pass does whatever the clock says.
    if (p.Screen == GameScreen && (p.RedrawRequested || (p.NewGameStarted && !game.Paused) ||
                                   (game.Paused && p.PauseOverlayPending))) {
        return 0;
    }
    const bool stepping = (p.Screen == GameScreen && game.GameRunning) || game.GameOverClicked;
    if (!stepping) return NoTimeout;
    // A step that moved the pile may let the next element enter on the following pass.
    if (p.pileMovedLastPass || game.scoreUpdatePending || game.gameOverPending) return 0;

    // After the sixth landing the pile moves no more, and its last step lies ever further
    // back: its deadline would have the loop spin through the GAME OVER delay.
    const bool pileMoves =
        game.landedCount < LandingsToEnd && game.pileCount >= 0 && game.pileCount <= PileSlotCount;
    uint32_t due = pileMoves ? Until(game.lastPileStep + PileStepInterval + 1, now) : NoTimeout;
    const int popups = std::clamp(game.popupCount, 0, PopupCapacity);
    for (int i = 0; i < popups; ++i) {
        const auto tick = static_cast<uint32_t>(game.popups[static_cast<size_t>(i)].tick);
        due = std::min(due, Until(tick + PopupStepInterval + 1, now));
    }
    if (game.GameOverClicked) {
        due = std::min(due, Until(game.GameOverShownAt + GameOverDelay + 1, now));
    }
    return due;
}

int RunGlimora() {
    if (!StartUp()) return 1;
    ProgramState& p = Program();
    while (MainLoopPass()) {
        if (p.lastPassDispatched) continue;
        const uint32_t timeout = TimeUntilDue(platform::GetTicks());
        if (timeout > 0) platform::WaitForEvent(timeout);
    }
    return p.exitCode;
}

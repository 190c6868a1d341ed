// The full-window screens (title, help, high scores) and the pause overlay.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/game_state.h"

// One row of the high-score table as drawn.
struct ScoreRow {
    std::string name;
    int32_t score = 0;
    bool used = false;
};

// The picture id for a language: the French picture at base, the English one at base + 1.
int LocalizedPicture(int base, uint8_t language);

void DrawTitleScreen(uint8_t language);
void DrawHelpScreen(uint8_t language);
// The high-score picture, the Play again button when asked for, then the rows.
void DrawHighScoreScreen(uint8_t language, bool withPlayAgain, const std::array<ScoreRow, 6>& rows);
void DrawHighScoreRows(const std::array<ScoreRow, 6>& rows);
// A clean game screen with the PAUSE picture printed over it.
void DrawPauseOverlay(GameState& game, uint8_t language);
// The GAME OVER panel in the middle of the window.
void DrawGameOverPanel();

// The game screen: the back buffer's composition at set-up, the full redraw and the score.
#pragma once

#include "rules/game_state.h"

// Set-up: the board picture over the whole back buffer.
void DrawBoardPicture();
// Set-up: one square's tile into the back buffer only, unscaled.
void DrawSquareToBackBuffer(int column, int row, Color color, ElementKind kind);

// The back buffer over the whole window, then the score panel.
void RedrawGameScreen(GameState& game);
// creditScore (the popup labels again when the points level rose), then the score drawn;
// clears scoreUpdatePending.
void RefreshScorePanel(GameState& game);

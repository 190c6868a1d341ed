// The game screen: the back buffer's composition at set-up, the full redraw and the score.
#pragma once

#include "rules/game_state.h"
#include "rules/rules_seam.h"

// The back buffer over the whole window, then the score panel.
void RedrawGameScreen(GameState& game);

// Appending score popups to the fixed list, with the points of a popup that does not fit kept.
#pragma once

#include <cstdint>

#include "rules/game_state.h"

// Appends {x, y, points, now, style, step 0}. When all 36 entries are in use the popup is not
// shown, and its points go to game.unlistedPoints so that the next crediting still adds them.
void appendPopup(GameState& game, int32_t x, int32_t y, int32_t points, PopupStyle style,
                 uint32_t now);

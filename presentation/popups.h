// The score popups: their label images, their rise over the board and their removal.
#pragma once

#include <cstdint>

#include "rules/game_state.h"
#include "rules/rules_seam.h"

constexpr uint32_t PopupStepInterval = 100;

// Takes entry `index` out of the popup list; a bad index changes nothing.
void RemovePopup(GameState& game, int index);
// Empties the popup list.
void ClearPopups(GameState& game);

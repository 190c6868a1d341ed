// The score popups: their label images, their rise over the board and their removal.
#pragma once

#include <cstdint>

#include "rules/game_state.h"

constexpr uint32_t PopupStepInterval = 100;

// The popup label images; they store the measured sizes in the game state.
void RenderPopupLabels(GameState& game);
void RenderMultiplierLabel(GameState& game);
// Moves each popup whose PopupStepInterval has passed up a step, and erases and removes it
// once its steps are done.
void AnimatePopups(GameState& game, uint32_t now);

// Takes entry `index` out of the popup list; a bad index changes nothing.
void RemovePopup(GameState& game, int index);
// Empties the popup list.
void ClearPopups(GameState& game);

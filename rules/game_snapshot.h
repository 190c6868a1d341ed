// The part of the game state kept in the saved game, and the check that a stored one can be played.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game_state.h"

struct GameSnapshot {
    LabelSize MultiplierLabelSize;
    LabelSize PaintLabelSize;
    LabelSize ClearLabelSize;
    Board board;
    std::array<int32_t, DrawWeightCount> drawWeights{};
    int32_t bonusChain = 0;
    int32_t paintPoints = 0;
    int32_t clearPoints = 0;
    int32_t pointsLevel = 0;
    std::array<ScorePopup, PopupCapacity> popups{};
    int32_t popupCount = 0;
    int32_t pileCount = 0;
    int32_t activeIndex = 0;
    int32_t landedCount = 0;
    int32_t speedLevel = 0;
    int32_t riseSpeed = 0;
    std::array<PileSlot, PileSlotCount> slots{};
    int32_t score = 0;
};

// Copies every snapshot field (all 36 popups and all 7 slots, used or not) out of the game.
GameSnapshot takeSnapshot(const GameState& game);

// Copies a snapshot back into the game (the data only; setUpGame does the drawing).
void restoreSnapshot(GameState& game, const GameSnapshot& saved);

// True when every value fits what its field can hold, so that resuming the game and playing
// on can never index out of range or overflow; a game play could not have made is still
// played as stored. Entries beyond popupCount and pileCount are never read and not checked.
bool snapshotIsPlayable(const GameSnapshot& saved);

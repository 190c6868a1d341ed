// Removal of completed groups, the arrow bonus chain, and crediting popups to the score.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game_state.h"
#include "rules/placement.h"

// Bonus chain 0..4 gives these multipliers.
constexpr std::array<int32_t, 5> ChainMultipliers{1, 2, 4, 16, 256};

void removeAndScore(GameState& game, const LineScan& scan, uint32_t now);

// Adds every popup's points (and the unlisted ones) times the multiplier to the score, then
// raises the speed level and the points level at most once each. The first half of
// RefreshScorePanel, which clears scoreUpdatePending.
void creditScore(GameState& game);

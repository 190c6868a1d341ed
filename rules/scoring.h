// Removal of completed groups, the arrow bonus chain, and crediting popups to the score.
#pragma once

#include <array>
#include <cstdint>

#include "rules/game_state.h"
#include "rules/placement.h"
#include "rules/rules_seam.h"

// Bonus chain 0..4 gives these multipliers.
constexpr std::array<int32_t, 5> ChainMultipliers{1, 2, 4, 16, 256};
// The most a paint or a clear may be worth: play reaches 190 and 1,800; a stored game may hold
// more, and level rises stop there rather than run towards an overflow.
constexpr int32_t MaxPointValue = INT32_MAX / 2;

void removeAndScore(const GameSeam& seam, GameState& game, const LineScan& scan, uint32_t now);

// Adds every popup's points (and the unlisted ones) times the multiplier to the score, then
// raises the speed level and the points level at most once each. True when the points level
// rose: the popup labels are to be rendered again with the new points. The first half of
// refreshing the score panel, which clears scoreUpdatePending.
bool creditScore(GameState& game);

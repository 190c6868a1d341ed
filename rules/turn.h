// The game's share of one pass of the main loop: the draw pile and the end of a game.
#pragma once

#include <cstdint>

#include "rules/game_state.h"
#include "rules/rules_seam.h"

constexpr uint32_t PileStepInterval = 100;
constexpr int32_t PileEntryEmptyY = 402;
constexpr int32_t PileEntryBehindY = 404;
constexpr int32_t PileEntryGapY = 319; // a new element enters once the last one is this high
constexpr int32_t FirstLandingY = 95;
constexpr int32_t LandingStep = 48;
constexpr int32_t LandingsToEnd = 6;
constexpr int32_t StartRiseSpeed = 6;

// The y at or above which a rising element lands when `landed` elements rest already.
constexpr int32_t LandingY(int32_t landed) {
    return FirstLandingY + LandingStep * landed;
}

// Pile step, score refresh, popup animation, game over and the high-score step.
void gameStep(const GameSeam& seam, GameState& game, uint32_t now);
// Entry of new elements, then (at most once per 100 ms) the rise and the landings.
void pileStep(const GameSeam& seam, GameState& game, uint32_t now);

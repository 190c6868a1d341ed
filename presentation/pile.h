// The draw-pile column: rising elements with their shadow and ring, and resting elements.
#pragma once

#include "rules/game_state.h"

// The frame of the ring of balls drawn next, 0 to 3; one counter for the whole program.
extern int RingFrame;

// Slot `index`, moved from previousY, drawn where it is now with its shadow and, when active,
// its ring; one that landed in this step (landedNow) is also put at rest in the back buffer.
void DrawPileSlot(const GameState& game, int index, int previousY, bool landedNow);
// The landed elements of a resumed game, at rest in the back buffer.
void RedrawRestingPile(const GameState& game);

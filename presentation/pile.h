// The draw-pile column: rising elements with their shadow and ring, and resting elements.
#pragma once

#include "rules/game_state.h"

// The frame of the ring of balls drawn next, 0 to 3; one counter for the whole program.
extern int RingFrame;

// Rising slot `index` moved from previousY to where it is now (landed in this step when
// landedNow), drawn with its shadow and, when active, its ring.
void DrawPileSlot(const GameState& game, int index, int previousY, bool landedNow);
// The landed elements of a resumed game, drawn where they rest.
void RedrawRestingPile(const GameState& game);

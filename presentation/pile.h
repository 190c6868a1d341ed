// The draw-pile column: rising elements with their shadow and ring, and resting elements.
#pragma once

#include "rules/game_state.h"
#include "rules/rules_seam.h"

// The frame of the ring of balls drawn next, 0 to 3; one counter for the whole program.
extern int RingFrame;

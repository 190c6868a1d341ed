// The game's random source: the same linear congruential generator as the C runtime it grew up on.
#pragma once

#include <cstdint>

// Sets the generator state (the state is 1 until the first call).
void crtSrand(uint32_t seed);
// Next value in 0..32767.
int crtRand();

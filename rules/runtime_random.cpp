// The game's random source: state = state * 214013 + 2531011, result bits 16..30.
#include "rules/runtime_random.h"

namespace {
uint32_t randomState = 1;
}

void crtSrand(uint32_t seed) {
    randomState = seed;
}

int crtRand() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

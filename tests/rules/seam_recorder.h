// Test double for the rules' seam: records every call in order and mimics the popup animation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/rules_seam.h"

namespace recorder {

// The seam to pass to the rules: each call is written down.
extern const GameSeam seam;
// The calls made since the last reset, one line each, e.g. "PlayGameSound 5005".
extern std::vector<std::string> calls;
// When false, calls are not written down (the soak test keeps the recorder cheap).
extern bool recording;
// The high-score steps offered, counted even without recording.
extern int64_t highScoreOffers;

void reset();
// The recorded calls whose line starts with `prefix`.
std::vector<std::string> callsStartingWith(const std::string& prefix);

} // namespace recorder

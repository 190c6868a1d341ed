// The shell's share of the rules' seam, doing nothing: the benchmarks only draw.
#include "rules/rules_seam.h"

void ShowOccupiedNotice() {}
void ShowWrongColourNotice() {}
void offerHighScore(GameState&) {}

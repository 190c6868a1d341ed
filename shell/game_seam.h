// The program's calls for the rules: the game's drawing, sounds and dialogs.
#pragma once

#include "rules/rules_seam.h"

extern const GameSeam ProgramSeam;

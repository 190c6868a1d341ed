// Silent stand-ins for the screen, speaker and dialogs, so that loaded games can be played on.
#pragma once

#include "rules/rules_seam.h"

extern const GameSeam QuietSeam;

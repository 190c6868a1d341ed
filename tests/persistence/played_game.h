// A real game played for a while, to have snapshots the rules themselves produced.
#pragma once

#include "rules/game_state.h"

GameState playedGame(int steps);

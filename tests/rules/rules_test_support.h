// Helpers shared by the rules' tests: a fresh game, a chosen active element, clicks on cells.
#pragma once

#include <cstdint>

#include "rules/game_snapshot.h"
#include "rules/game_state.h"
#include "rules/placement.h"
#include "rules/rules_seam.h"
#include "rules/setup.h"
#include "tests/rules/seam_recorder.h"

namespace rulestest {

// A new game set up at `now`, with the recorder emptied afterwards.
inline GameState newGame(uint32_t now = 1000) {
    GameState game;
    setUpGame(game, GameSnapshot{}, now);
    recorder::reset();
    return game;
}

// Makes (kind, color) the active element: one rising slot at y 300, nothing landed.
inline void setActive(GameState& game, ElementKind kind, Color color, int32_t y = 300) {
    game.slots[0] = PileSlot{y, kind, color, 0};
    game.pileCount = 1;
    game.activeIndex = 0;
    game.landedCount = 0;
}

inline void put(GameState& game, int x, int y, ElementKind kind, Color color) {
    game.board.at(x, y) = Cell{kind, color};
}

// A release in the middle of cell (x, y) on a 480 x 480 client area.
inline void clickCell(GameState& game, int x, int y, uint32_t now = 2000) {
    placeAt(game, CellOriginX(x) + 24, CellOriginY(y) + 24, 480, 480, now);
}

// Places (kind, color) on (x, y) as the active element.
inline void place(GameState& game, int x, int y, ElementKind kind, Color color,
                  uint32_t now = 2000) {
    setActive(game, kind, color);
    clickCell(game, x, y, now);
}

} // namespace rulestest

// Helpers shared by the rules' tests: a fresh or saved game, an active element, clicks on cells.
#pragma once

#include <cstdint>

#include "rules/game_snapshot.h"
#include "rules/game_state.h"
#include "rules/placement.h"
#include "rules/setup.h"
#include "tests/rules/seam_recorder.h"

namespace rulestest {

using recorder::seam;

// A new game set up at `now`, with the recorder emptied afterwards.
inline GameState newGame(uint32_t now = 1000) {
    GameState game;
    setUpGame(seam, game, GameSnapshot{}, now);
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
    placeAt(seam, game, CellOriginX(x) + 24, CellOriginY(y) + 24, 480, 480, now);
}

// Places (kind, color) on (x, y) as the active element.
inline void place(GameState& game, int x, int y, ElementKind kind, Color color,
                  uint32_t now = 2000) {
    setActive(game, kind, color);
    clickCell(game, x, y, now);
}

// A game in progress as play leaves it: two landed, two rising, a popup, a painted square.
inline GameSnapshot playable() {
    GameSnapshot s;
    s.drawWeights = {11, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23, 23};
    s.paintPoints = 40;
    s.clearPoints = 300;
    s.pointsLevel = 4;
    s.speedLevel = 100;
    s.riseSpeed = 4;
    s.score = 1234567;
    s.bonusChain = 4;
    s.PaintLabelSize = LabelSize{16, 16};
    s.ClearLabelSize = LabelSize{24, 16};
    s.MultiplierLabelSize = LabelSize{32, 16};
    s.slots[0] = PileSlot{91, ElementKind::Star, Color::Red, 1};
    s.slots[1] = PileSlot{143, ElementKind::ArrowUp, Color::Green, 1};
    s.slots[2] = PileSlot{200, ElementKind::Diamond, Color::Green, 0};
    s.slots[3] = PileSlot{404, ElementKind::ArrowLeft, Color::Red, 0};
    s.slots[4] = PileSlot{-7, ElementKind{99}, Color{-3}, 5}; // unused: never read
    s.pileCount = 4;
    s.activeIndex = s.landedCount = 2;
    s.board.at(3, 4) = Cell{ElementKind::Diamond, Color::Red};
    s.board.at(0, 5) = Cell{ElementKind::None, Color::Green};
    s.popups[0] = ScorePopup{391, 113, 300, -5, PopupStyle::Clear, 4};
    s.popups[1] = ScorePopup{415, 415, 0, 0, PopupStyle::Multiplier, 0};
    s.popups[2] = ScorePopup{-1, 9999, -50, 0, PopupStyle{7}, 99}; // unused
    s.popupCount = 2;
    return s;
}

} // namespace rulestest

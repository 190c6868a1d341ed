// Setting up a game (new or resumed) and drawing the next element of the pile.
#pragma once

#include <cstdint>

#include "rules/game_snapshot.h"
#include "rules/game_state.h"
#include "rules/rules_seam.h"

// New game when game.GameInProgress is 0, otherwise resumes `saved`. A saved game that
// snapshotIsPlayable refuses is replaced by a new game. Builds the back buffer through the
// seam (board picture, squares, popup labels, resting pile) and sets GameInProgress.
void setUpGame(const GameSeam& seam, GameState& game, const GameSnapshot& saved, uint32_t now);

struct DrawnElement {
    ElementKind kind = ElementKind::None;
    Color color = Color::Plain;
    int index = 0; // weight index 0..11
};

// The weighted lottery over the twelve elements; moves weight away from the one drawn.
DrawnElement drawElement(GameState& game);

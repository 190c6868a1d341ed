// What the rules ask of the screen, the speaker and the player: a table of calls passed in.
#pragma once

#include <cstdint>

#include "rules/game_state.h"

// Passed to the rules' entry points that draw, sound or ask: the program fills it with its
// drawing, sounds and dialogs, each test and tool with its own.
struct GameSeam {
    // Set-up: the board picture over the whole back buffer.
    void (*drawBoardPicture)();
    // Set-up: one square's tile into the back buffer only, unscaled.
    void (*drawSquareToBackBuffer)(int column, int row, Color color, ElementKind kind);
    // During play: one square on the window and in the back buffer.
    void (*drawCell)(int column, int row, Color color, ElementKind kind);
    // Copies the back buffer to the window over the canvas square (x, y, size x size): takes a
    // placed element and its ring out of the pile column on screen.
    void (*restoreFromBackBuffer)(int x, int y, int size);

    void (*playSound)(int id);

    // The popup label images; they store the measured sizes in the game state.
    void (*renderPopupLabels)(GameState& game);
    void (*renderMultiplierLabel)(GameState& game);

    // creditScore (the popup labels again when the points level rose), then the score drawn;
    // clears scoreUpdatePending.
    void (*refreshScorePanel)(GameState& game);
    void (*animatePopups)(GameState& game, uint32_t now);
    void (*drawPileSlot)(const GameState& game, int index, int previousY, bool landedNow);
    void (*redrawRestingPile)(const GameState& game);
    void (*drawGameOverPanel)();

    // The one-time notices of a refused click (modal).
    void (*showOccupiedNotice)();
    void (*showWrongColourNotice)();

    // The high-score step once GAME OVER was acknowledged and its delay has passed.
    void (*offerHighScore)(GameState& game);
};

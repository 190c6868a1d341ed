// What the rules ask of the screen, the speaker and the player; defined by the program, and by
// recorders in the rules' tests.
#pragma once

#include <cstdint>

#include "rules/game_state.h"

// Set-up: the board picture over the whole back buffer.
void DrawBoardPicture();
// Set-up: one square's tile into the back buffer only, unscaled.
void DrawSquareToBackBuffer(int column, int row, Color color, ElementKind kind);
// During play: one square on the window and in the back buffer.
void DrawCell(int column, int row, Color color, ElementKind kind);
// Copies the back buffer to the window over the canvas square (x, y, size x size): takes a
// placed element and its ring out of the pile column on screen.
void RestoreFromBackBuffer(int x, int y, int size);

void PlayGameSound(int id);

// The popup label images; they store the measured sizes in the game state.
void RenderPopupLabels(GameState& game);
void RenderMultiplierLabel(GameState& game);

// creditScore, then the score drawn; clears scoreUpdatePending.
void RefreshScorePanel(GameState& game);
void AnimatePopups(GameState& game, uint32_t now);
void DrawPileSlot(const GameState& game, int index, int previousY, bool landedNow);
void RedrawRestingPile(const GameState& game);
void DrawGameOverPanel();

// The one-time notices of a refused click (modal).
void ShowOccupiedNotice();
void ShowWrongColourNotice();

// The high-score step once GAME OVER was acknowledged and its delay has passed.
void offerHighScore(GameState& game);

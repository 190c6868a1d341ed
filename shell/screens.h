// Showing the title, help and high-score screens, the pause overlay, and starting a game.
#pragma once

// ScreenState = TitleScreen and the title picture; a pending repaint request is made.
void ShowTitleScreen();
// Remembers where the help was opened from and shows it.
void ShowHelpScreen();
// The high-score screen with its rows (and Play again when it returns to a game).
void ShowHighScoreScreen();
// The high-score screen's Exit: the game in progress is dropped and the title shown.
void LeaveHighScoreScreen();
// Whether the GAME OVER panel belongs on the window now (shown, high-score step not yet come).
bool GameOverShown();
// Clears PauseOverlayPending and draws the pause picture over a clean game screen.
void PauseOverlaySequence();
// Sets up a fresh game and shows it; the main loop starts it on its next pass.
void StartNewGame();

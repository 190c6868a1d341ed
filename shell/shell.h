// The program: start-up, one pass of the main loop, and the whole run.
#pragma once

#include "platform/platform.h"

// Opens the window, reads the configuration and the player's files and shows the first
// screen. False when the window cannot be opened, or when a game already running holds the
// player's files (said in a message box; nothing is read or written): the program then ends
// with 1.
bool StartUp();

// One pass of the main loop: at most one event, then the game's work. Never waits.
// False once the quit request was reached.
bool MainLoopPass();

// Milliseconds from now until the loop has something to do again; UINT32_MAX when only
// input can give it work (title, help, high-score screens, a paused game, GAME OVER shown).
uint32_t TimeUntilDue(uint32_t now);

// StartUp, then the loop, waiting between passes when nothing is due; the exit code.
int RunGlimora();

// The main window procedure.
void MainWindowProcedure(const platform::Event& event);

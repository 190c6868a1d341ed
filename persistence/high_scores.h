// The player's six best scores: where a finished game enters, and the name stored with it.
#pragma once

#include <cstdint>
#include <string_view>

#include "persistence/save_record.h"

// Chooses the row a finished game's score takes (the first row whose score it beats) and moves
// the rows below it down by one, dropping the last. Returns the row, 0..5, whose name is then
// asked for, or -1 when the score enters nowhere.
int enterFinishedGame(HighScoreTable& table, int32_t score);

// Fills the chosen row: at most the first 8 typed characters and a terminator (the bytes after
// the terminator stay as they were), the score, used = 1. A row outside 0..5 changes nothing.
void storeName(HighScoreTable& table, int row, std::string_view typed, int32_t score);

// The same, and the game is over for the saved game: GameInProgress = 0.
void storeName(SaveRecord& record, int row, std::string_view typed, int32_t score);

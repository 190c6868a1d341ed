// Loading, snapshotting and saving the player's saved game file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "persistence/file_read.h"

#include "persistence/save_record.h"
#include "rules/game_state.h"

// The number written in base 4 with digits 0 to 3 and no leading zeros; a negative number is
// written as its unsigned 32-bit value.
std::string toBase4(int32_t value);

// "donnees" + the slot in base 4 + ".icc": slot 4 gives "donnees10.icc".
std::string savedGameFileName(int slot);

// Takes the bytes of a saved game file into the record: the file's first bytes replace the
// record's (a short file keeps the rest), then the game is refused (GameInProgress = 0) when
// the magic is not "Glimora" or the snapshot could not be played safely; the high scores,
// options and marks are kept either way, with every flag made 0 or 1 and every name
// terminated after at most 8 characters.
// True when something the bytes held was refused: a game in progress that could not be
// resumed safely, or high-score rows that cannot be scores (a negative score, control bytes
// in the name), which are emptied.
bool acceptSavedGameBytes(SaveRecord& record, std::span<const uint8_t> fileBytes);

// Start-up: reads the file at `path` into the record. A missing or unreadable file leaves the
// record as it is, without a message (the caller reports an unreadable one and never writes
// over it). When something was refused, the file is first copied whole to `path` +
// ".refused", so that the record written at exit does not take the only copy of it.
FileRead loadSavedGame(SaveRecord& record, const std::string& path);

// Exit: copies the game into the snapshot and sets the two marks the file carries.
void takeSnapshot(SaveRecord& record, const GameState& game, bool gameStartedThisRun);

// Exit: writes the magic and the whole record. On failure shows "Error 2." (or "Error 2 Sid."
// when the access list could not be built), caption "Error!", and returns false; the file
// that was there before is then left untouched.
bool saveSavedGame(SaveRecord& record, const std::string& path);

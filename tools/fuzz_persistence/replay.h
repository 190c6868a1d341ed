// Feeding arbitrary file contents through the loaders and on into play, for fuzzing and tests.
#pragma once

#include <cstdint>
#include <span>

// Loads the bytes as a saved game file, checks that the record survives encoding unchanged,
// and, when a game was accepted, resumes it and plays on with clicks taken from the bytes.
// Returns true when a game was resumed. Aborts on any broken invariant.
bool replaySavedGame(std::span<const uint8_t> bytes);

// Loads the bytes as a player slot file, resolves a few users and checks that the record
// survives encoding unchanged. Returns the slot of the first user. Aborts on a broken invariant.
int replaySlotFile(std::span<const uint8_t> bytes);

// The menu commands, by French or English id.
#pragma once

#include <cstdint>

// Carries out one menu command (the pause prologue has already run).
void RunMenuCommand(int id);

// The About box's one line of credit in the language (Windows-1252): 0 French, else English.
const char* AboutText(uint8_t language);

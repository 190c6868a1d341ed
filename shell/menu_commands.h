// The menu commands, by French or English id.
#pragma once

// Carries out one menu command (the pause prologue has already run).
void RunMenuCommand(int id);

// The credit line of the About box.
extern const char* const AboutText;

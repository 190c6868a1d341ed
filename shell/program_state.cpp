// The single program state and its reset.
#include "shell/program_state.h"

namespace {
ProgramState State;
}

ProgramState& Program() {
    return State;
}

void ResetProgramState() {
    State = ProgramState{};
}

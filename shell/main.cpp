// The program's entry: Glimora takes no arguments.
#include "shell/shell.h"

int main() {
    return RunGlimora();
}

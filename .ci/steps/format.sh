#!/usr/bin/env bash
# CI: every C and C++ file of the repository is laid out as .clang-format says; a file that
# differs fails the step, with the lines that clang-format would change.
set -euo pipefail
cd "$(dirname "$0")/../.."
GLIMORA_TESTS=1 bash tools/deps.sh
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "-- format: the files above differ from .clang-format; clang-format -i FILE lays them out" >&2
    exit 1
fi
echo "-- format: ${#files[@]} files laid out as .clang-format says"

#!/usr/bin/env bash
# Builds Glimora and runs every test. Usage: tools/test.sh [build-dir] [extra cmake options...]
# GLIMORA_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer. Installs the
# test tools besides what building needs.
set -euo pipefail
cd "$(dirname "$0")/.."
GLIMORA_TESTS=1 bash tools/deps.sh

build="${1:-build}"
shift || true
sanitize=OFF
[ "${GLIMORA_SANITIZE:-0}" = 1 ] && sanitize=ON
cmake -S . -B "$build" -G Ninja -DGLIMORA_SANITIZE=$sanitize -DGLIMORA_TESTS=ON "$@" >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j2

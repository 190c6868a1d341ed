#!/usr/bin/env bash
# Builds Glimora and starts it. The build tree is its own installation: the game's files stay
# inside build/. Installs only what building and playing need: without GoogleTest and Google
# Benchmark the configuration leaves the tests and benchmarks out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target glimora
exec ./build/glimora

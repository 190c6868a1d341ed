#!/usr/bin/env bash
# Builds the saved game and player slot loader fuzzers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in their own build folder and runs each for a bounded time.
# GLIMORA_FUZZ_SECONDS sets the time per fuzzer (default 60).
set -euo pipefail
cd "$(dirname "$0")/../.."

build="${GLIMORA_FUZZ_BUILD:-build-fuzz}"
seconds="${GLIMORA_FUZZ_SECONDS:-60}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DGLIMORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=all" -DBUILD_TESTING=OFF -DGLIMORA_BENCHMARKS=OFF \
    >/dev/null
cmake --build "$build" --target fuzz_saved_game fuzz_slot_file -- -j2

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for name in saved_game slot_file; do
    # New inputs go to the build folder; the committed seed corpus is only read.
    found="$build/fuzz-found/$name"
    mkdir -p "$found"
    echo "-- fuzz_$name for ${seconds}s"
    "$build/tools/fuzz_persistence/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$found" "tools/fuzz_persistence/corpus/$name"
done

#!/usr/bin/env bash
# Measures the peak memory (VmHWM) of the SDL program after a stretch of play under Xvfb,
# with a 480 x 480 and a 1920 x 1920 client, as min / median / max of several runs; with more
# build folders the same figures for each of those programs beside them.
#
# Usage: tools/measure_memory.sh [build-dir] [before-build-dir...]
#   GLIMORA_MEASURE_SECONDS  play before reading the peak (default 60)
#   GLIMORA_MEASURE_RUNS     runs per figure (default 3)
# Needs xvfb-run and xdotool. A before-build-dir holding an older glimora (without
# glimora_driven) starts its game with GLIMORA_AUTOPLAY_START=1.
set -euo pipefail
cd "$(dirname "$0")/.."

. tools/window_measure.sh "$@"
seconds="${GLIMORA_MEASURE_SECONDS:-60}"
runs="${GLIMORA_MEASURE_RUNS:-3}"

# peak DIR SIDE: one run's VmHWM in KiB, the game running in a window with a SIDE client.
peak() {
    local dir="$1" side="$2" bin="$home/bin" program args=() vars=()
    rm -rf "$bin" "$home/userdata"
    mkdir -p "$bin" "$home/userdata"
    if [ -x "$dir/glimora_driven" ]; then
        program="$bin/glimora"; cp "$dir/glimora_driven" "$program"; args=(--autoplay)
    else
        program="$bin/glimora"; cp "$dir/glimora" "$program"; vars=(GLIMORA_AUTOPLAY_START=1)
    fi
    printf 'Language=1\nPath=%s\n' "$home/userdata" >"$bin/glimora.conf"
    env HOME="$home" SDL_AUDIODRIVER=dummy "${vars[@]}" "$program" "${args[@]}" >/dev/null 2>&1 &
    local pid=$! wid
    wid=$(xdotool search --sync --pid "$pid" 2>/dev/null | head -1)
    xdotool windowsize "$wid" "$side" $(( side + menubar )) 2>/dev/null || true
    sleep "$seconds"
    local hwm
    hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$hwm"
}

# figure DIR SIDE: "min / median / max" in MiB over the runs.
figure() {
    local i
    for i in $(seq "$runs"); do peak "$1" "$2"; done | sort -n |
        awk '{ v[NR] = $1 / 1024 } END { printf "%5.1f / %5.1f / %5.1f MiB", v[1], v[int((NR + 1) / 2)], v[NR] }'
}

echo "Peak memory (VmHWM) after ${seconds} s of play, min / median / max of ${runs} runs:"
for side in 480 1920; do
    line=$(printf '%4d x %-4d  this build %s' "$side" "$side" "$(figure "$build" "$side")")
    for dir in "${befores[@]}"; do line="$line   $dir $(figure "$dir" "$side")"; done
    echo "$line"
done

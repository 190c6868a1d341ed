#!/usr/bin/env bash
# Measures the time from a click to the pixels under Xvfb, at a 480 x 480 and a 1920 x 1920
# client: a full redraw (Play on the title screen, watching a board square) and a placement
# (a click on a board square in the running game, watching that square). Each figure is
# min / median / max of several runs; with a second build folder the same figures for that
# program beside them.
#
# Usage: tools/measure_latency.sh [build-dir] [before-build-dir]
#   GLIMORA_MEASURE_RUNS  runs per figure (default 5)
# Needs xvfb-run, xdotool and build-dir/tools/latency_probe/latency_probe (built where
# libx11-dev and libxtst-dev are installed).
set -euo pipefail
cd "$(dirname "$0")/.."

. tools/window_measure.sh "$@"
runs="${GLIMORA_MEASURE_RUNS:-5}"
probe="$build/tools/latency_probe/latency_probe"
[ -x "$probe" ] || { echo "$probe is not built (apt-get install libx11-dev libxtst-dev)"; exit 1; }

# A canvas point (of 480 x 480) in window pixels at a client of SIDE.
at() { echo $(( $1 * $3 / 480 )) $(( $2 * $3 / 480 + menubar )); }

# run DIR SIDE: one run, "full-redraw-ms placement-ms".
run() {
    local dir="$1" side="$2" bin="$home/bin"
    rm -rf "$bin" "$home/userdata"
    mkdir -p "$bin" "$home/userdata"
    cp "$dir/glimora" "$bin/glimora"
    printf 'Language=1\nPath=%s\n' "$home/userdata" >"$bin/glimora.conf"
    # A first start shows a new player the help screen and saves at SIGTERM: the measured
    # start is on the title screen.
    env HOME="$home" SDL_AUDIODRIVER=dummy "$bin/glimora" >/dev/null 2>&1 &
    local pid=$! wid full place
    xdotool search --sync --pid "$pid" >/dev/null 2>&1
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    env HOME="$home" SDL_AUDIODRIVER=dummy "$bin/glimora" >/dev/null 2>&1 &
    pid=$!
    wid=$(xdotool search --sync --pid "$pid" 2>/dev/null | head -1)
    xdotool windowsize "$wid" "$side" $(( side + menubar )) 2>/dev/null || true
    sleep 1.5
    # Play, watching the top-left board square; then a placement on square (2, 2) once an
    # element rises.
    full=$("$probe" "$wid" $(at 364 160 "$side") $(at 145 145 "$side") || true)
    sleep 4
    place=$("$probe" "$wid" $(at 253 253 "$side") $(at 253 253 "$side") || true)
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$full $place"
}

stats() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "no figure"; else printf "%6.2f / %6.2f / %6.2f ms", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

# figures DIR SIDE: "full ... placement ..." over the runs.
figures() {
    local i out="$home/runs"
    : >"$out"
    for i in $(seq "$runs"); do run "$1" "$2" >>"$out"; done
    printf 'full redraw %s   placement %s' "$(awk '$1 ~ /^[0-9.]+$/ { print $1 }' "$out" | stats)" \
        "$(awk '$2 ~ /^[0-9.]+$/ { print $2 }' "$out" | stats)"
}

echo "From click to pixels, min / median / max of ${runs} runs (Xvfb, dummy audio):"
for side in 480 1920; do
    echo "$side x $side  this build:  $(figures "$build" "$side")"
    [ -n "$before" ] && echo "$side x $side  before:      $(figures "$before" "$side")"
done

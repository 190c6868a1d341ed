#!/usr/bin/env bash
# Measures how long glimora.exe takes under Wine to end after it has written its files. Under
# Xvfb, in a fresh Wine prefix with the installer's registry key, each run starts the game,
# waits for its window, starts a game and places an element (a sound plays), closes the window
# with Alt+F4 as the close box would, and takes the time from the saved game file's
# modification, and from the close key, to the end of the process. Several runs give min /
# median / max; a second program (the build before a change) is measured in the same runs,
# alternating with the first.
#
# Usage: tools/measure_exit_wine.sh [windows-build-dir [earlier-windows-build-dir]]
#   GLIMORA_MEASURE_RUNS  runs of each program (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/own_xvfb.sh

for tool in Xvfb xdotool wine wineserver python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (GLIMORA_WINDOWS=1 bash tools/deps.sh)"; exit 1; }
done
programs=("$(realpath "${1:-build-win}/glimora.exe")")
labels=("this build")
if [ -n "${2:-}" ]; then
    programs+=("$(realpath "$2/glimora.exe")")
    labels+=("earlier build")
fi
runs="${GLIMORA_MEASURE_RUNS:-5}"

work=$(mktemp -d /tmp/glimora-exit-wine.XXXXXX)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
    timeout 30 wineserver -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
start_own_xvfb "$work" 800x600 || { echo "Xvfb did not start"; exit 1; }

timeout 300 wine wineboot -i >/dev/null 2>&1
install="$work/install"
mkdir -p "$install/Glimora"
timeout 60 wine reg add 'HKLM\Software\Glimora' /v Path /t REG_SZ /d "Z:${install//\//\\}" /f >/dev/null
timeout 60 wine reg add 'HKLM\Software\Glimora' /v Language /t REG_DWORD /d 1 /f >/dev/null
timeout 120 wineserver -w || true

# (Each run starts its own wineserver, as a player starting the game alone does.)

# One run: seconds from the saved game's writing to the end of the process.
run_once() {
    local exe="$1" pid window="" written ended closed
    rm -rf "$install/Glimora"/* "$WINEPREFIX/drive_c/windows/userscd32.wxp"
    wine "$exe" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 200); do
        window=$(xdotool search --onlyvisible --name '^Glimora$' 2>/dev/null | head -1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no window" >&2; kill "$pid"; return 1; }
    sleep 1.5
    # The help screen's OK, then Play, then a board square, so that a sound is playing when
    # the window closes. Without a window manager Wine draws the frame inside the X window:
    # the client starts 4 pixels in and 42 down (border, caption and menu bar).
    xdotool mousemove --window "$window" $((4 + 237)) $((42 + 418)) click 1
    sleep 0.5
    xdotool mousemove --window "$window" $((4 + 364)) $((42 + 160)) click 1
    sleep 1
    xdotool mousemove --window "$window" $((4 + 121 + 54 * 2 + 24)) $((42 + 121 + 54 * 2 + 24)) click 1
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    closed=$(date +%s.%N)
    # The window may be gone before the keys' releases reach it, which xdotool reports.
    xdotool key --window "$window" alt+F4 2>/dev/null || true
    wait "$pid" || true
    ended=$(date +%s.%N)
    written=$(stat -c %.Y "$install/Glimora/donnees0.icc" 2>/dev/null) || { echo "no saved game" >&2; return 1; }
    python3 -c "print(f'{$ended - $written:.3f}')"
    python3 -c "print(f'{$ended - $closed:.3f}')" >>"$work/close.$2"
}

for i in "${!programs[@]}"; do : >"$work/times.$i"; : >"$work/close.$i"; done
for _ in $(seq 1 "$runs"); do
    for i in "${!programs[@]}"; do
        run_once "${programs[$i]}" "$i" >>"$work/times.$i"
    done
done
for i in "${!programs[@]}"; do
    for what in times close; do
        python3 - "${labels[$i]}" "$work/$what.$i" "$what" <<'PY'
import statistics, sys
times = [float(t) for t in open(sys.argv[2]).read().split()]
after = "writing the files" if sys.argv[3] == "times" else "the close key"
print(f"{sys.argv[1]}: exit after {after}, s: min {min(times):.3f} / median "
      f"{statistics.median(times):.3f} / max {max(times):.3f} ({len(times)} runs: {times})")
PY
    done
done

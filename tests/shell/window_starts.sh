#!/usr/bin/env bash
# Starts the player's program many times on one live Xvfb, two at a time with a busy
# processor beside them, and checks that every start either shows its window or ends with
# a message and a non-zero status: never a game running where nobody can see it. Each shown
# game is then ended by SIGTERM, which saves.
#
# Usage: tests/shell/window_starts.sh PROGRAM [STARTS]     (default 100)
set -euo pipefail
program="$(realpath "$1")"
starts="${2:-100}"

if [ "${3:-}" != "--inside-xvfb" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program" "$starts" --inside-xvfb
fi
work="$(mktemp -d)"
hogs=()
cleanup() {
    for pid in "${hogs[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
# Two starts at a time, each of the pair on an installation of its own (the program, its
# configuration, its folder): one game at a time may use a folder, and a second would give way.
for own in "$work/odd" "$work/even"; do
    mkdir -p "$own/data/Glimora"
    cp "$program" "$own/glimora"
    printf 'Language=1\nPath=%s/data\n' "$own" >"$own/glimora.conf"
done
# Load like a busy desktop's: one processor kept busy throughout.
(while :; do :; done) &
hogs+=($!)

# One start: "shown", "refused: <message>" (a non-zero status) or what went wrong.
start_once() {
    local n="$1" out="$work/out.$1" pid outcome="" own="$work/even"
    ((n % 2 == 0)) || own="$work/odd"
    env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy HOME="$work/home$n" XDG_DATA_HOME="$work/xdg$n" \
        "$own/glimora" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
        if ! kill -0 "$pid" 2>/dev/null; then
            local status=0
            wait "$pid" || status=$?
            if [ "$status" != 0 ] && grep -q "cannot open the game's window" "$out"; then
                outcome="refused: $(tr '\n' ' ' <"$out")"
            else
                outcome="ended with status $status: $(tr '\n' ' ' <"$out")"
            fi
            break
        fi
        if xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then
            outcome=shown
            break
        fi
        sleep 0.1
    done
    if [ -z "$outcome" ]; then
        outcome="running after 10 s with no window to be seen: $(tr '\n' ' ' <"$out")"
    fi
    # A shown game ends at SIGTERM as by its close box: both files saved, status 0, no X error.
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    local ended=0
    wait "$pid" 2>/dev/null || ended=$?
    if [ "$outcome" = shown ] && { [ "$ended" != 0 ] || grep -q "X Error\|BadWindow\|Glimora:" "$out"; }; then
        outcome="shown, then ended by SIGTERM with status $ended: $(tr '\n' ' ' <"$out")"
    fi
    echo "$outcome" >"$work/outcome.$n"
}

for ((n = 1; n <= starts; n += 2)); do
    start_once "$n" &
    first=$!
    if ((n + 1 <= starts)); then start_once "$((n + 1))"; fi
    wait "$first"
done

shown=0 refused=0 bad=0
for ((n = 1; n <= starts; ++n)); do
    outcome=$(cat "$work/outcome.$n")
    case "$outcome" in
    shown) shown=$((shown + 1)) ;;
    refused:*) refused=$((refused + 1)); echo "start $n $outcome" ;;
    *) bad=$((bad + 1)); echo "start $n: $outcome" ;;
    esac
done
echo "$starts starts: $shown showed their window, $refused refused with a message, $bad neither"
[ "$bad" = 0 ]

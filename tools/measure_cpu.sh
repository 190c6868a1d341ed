#!/usr/bin/env bash
# Measures the processor time the SDL program uses while nothing happens, under Xvfb: on
# the title screen and in a running game with no input, each beside the same figure with
# a loop that polls without waiting. It runs the game built with test switches, glimora_driven
# (--busy-loop: never wait; --autoplay: start a game at once, as if Play were clicked). The
# backend's own stand-in (tools/cpu_probe) is measured as well. Each figure comes with the
# wake-ups a second of every thread of the process (voluntary context switches).
# On a machine shared with other work, a polling loop gets only its share of a processor:
# compare the waiting and polling figures of one run, not runs with each other.
#
# Usage: tools/measure_cpu.sh [build-dir]     (default: build)
#   GLIMORA_MEASURE_SECONDS  length of each measurement (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--inside-xvfb" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (apt-get install xvfb xauth)"; exit 1; }
    exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --inside-xvfb "${1:-build}"
fi
build="$2"
seconds="${GLIMORA_MEASURE_SECONDS:-10}"
hz=$(getconf CLK_TCK)
# The X server started by xvfb-run, our sibling: a program that polls makes it work too.
xserver=$(ps -o pid=,comm= --ppid "$PPID" | awk '$2 == "Xvfb" { print $1; exit }')
home=$(mktemp -d)
audio=dummy
trap 'rm -rf "$home"' EXIT

# Processor time (user + system) of a process so far, in clock ticks.
cpu_ticks() {
    # The command name may hold spaces: take the fields after the closing parenthesis.
    local rest
    rest=$(sed 's/^.*) //' "/proc/$1/stat")
    set -- $rest
    echo $(( ${12} + ${13} ))
}

# Voluntary context switches (wake-ups after a sleep) of every thread of a process, one
# "tid name count" line each.
wakeups() {
    local task
    for task in /proc/"$1"/task/*; do
        [ -r "$task/status" ] || continue
        printf '%s %s %s\n' "${task##*/}" "$(tr ' ' '_' <"$task/comm")" \
            "$(awk '/^voluntary_ctxt_switches/ { print $2 }' "$task/status")"
    done
}

# The wake-ups a second of each thread between two wakeups() listings.
wakeup_rates() {
    awk -v s="$seconds" 'NR == FNR { before[$1] = $3; next }
        { printf "    thread %-16s %6.1f wake-ups/s\n", $2, ($3 - before[$1]) / s }' "$1" "$2"
}

# measure LABEL PROGRAM [VAR=value...] [-- SWITCH...]: starts the program, lets it settle,
# measures.
measure() {
    local label="$1" program="$2" vars=()
    shift 2
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do vars+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    env HOME="$home" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER="$audio" "${vars[@]}" "$program" "$@" \
        >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        printf '%-44s %s\n' "$label" "the program ended early"
        return
    fi
    local before after xbefore=0 xafter=0
    before=$(cpu_ticks "$pid")
    [ -n "$xserver" ] && xbefore=$(cpu_ticks "$xserver")
    wakeups "$pid" >"$home/wake.before"
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    wakeups "$pid" >"$home/wake.after"
    [ -n "$xserver" ] && xafter=$(cpu_ticks "$xserver")
    kill -TERM "$pid" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    local used=$(( after - before )) xused=$(( xafter - xbefore ))
    awk -v t="$used" -v x="$xused" -v hz="$hz" -v s="$seconds" -v l="$label" \
        'BEGIN { printf "%-40s %6.2f s (%5.1f %%)   X server %6.2f s (%5.1f %%)\n",
                 l, t / hz, 100 * t / hz / s, x / hz, 100 * x / hz / s }'
    wakeup_rates "$home/wake.before" "$home/wake.after"
}

# The program reads glimora.conf beside it: a copy of it runs on its own files, so that no
# saved game changes what it shows. A first short run saves the files of a player who has
# seen the help screen; every measured run starts from them, on the title screen.
game="$home/bin/glimora"
fresh_files() {
    rm -rf "$home/userdata"
    cp -a "$home/seen-help" "$home/userdata"
}
prepare_game() {
    mkdir -p "$home/bin" "$home/userdata"
    cp "$build/glimora_driven" "$game"
    printf 'Language=1\nPath=%s\n' "$home/userdata" >"$home/bin/glimora.conf"
    env HOME="$home" SDL_AUDIODRIVER=dummy "$game" >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    cp -a "$home/userdata" "$home/seen-help"
}

echo "Processor time (user + system) over ${seconds} s with no input (Xvfb, dummy audio):"
if [ -x "$build/glimora_driven" ]; then
    prepare_game
    fresh_files
    measure "title screen, waiting loop" "$game"
    # The audio driver SDL picks by itself (a sound server or ALSA where the machine has
    # one): the device it opens has a thread of its own.
    fresh_files
    audio="" measure "title screen, waiting, SDL's own audio" "$game"
    fresh_files
    measure "title screen, polling loop" "$game" -- --busy-loop
    # The other screens where nothing is due: a new player's help screen, the high-score
    # table, a paused game.
    rm -rf "$home/userdata"
    measure "help screen (new player), waiting loop" "$game"
    fresh_files
    measure "high-score screen, waiting loop" "$game" -- --command 9076
    fresh_files
    measure "paused game, waiting loop" "$game" -- --autoplay --command 9077
    fresh_files
    measure "running game, waiting loop" "$game" -- --autoplay
    fresh_files
    measure "running game, polling loop" "$game" -- --autoplay --busy-loop
    # The two seconds after a press on GAME OVER, before the high-score step: nothing is due
    # but the end of the delay.
    fresh_files
    out="$home/gameover.out"
    env HOME="$home" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy "$game" --autoplay \
        --press-at-game-over >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 1200); do grep -q 'pressed on GAME OVER' "$out" && break; sleep 0.1; done
    before=$(cpu_ticks "$pid"); sleep 1.9; after=$(cpu_ticks "$pid")
    kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
    awk -v t=$(( after - before )) -v hz="$hz" \
        'BEGIN { printf "%-40s %6.2f s (%5.1f %%)\n", "GAME OVER delay after a press (1.9 s)", t / hz, 100 * t / hz / 1.9 }'
else
    echo "($build/glimora_driven is not built: measuring the backend's stand-in, tools/cpu_probe)"
fi
probe="$build/tools/cpu_probe/cpu_probe"
if [ -x "$probe" ]; then
    measure "backend alone, idle, waiting" "$probe"
    measure "backend alone, idle, polling" "$probe" GLIMORA_BUSY_LOOP=1
    measure "backend alone, 100 ms steps, waiting" "$probe" GLIMORA_PROBE_STEPS=1
    measure "backend alone, 100 ms steps, polling" "$probe" GLIMORA_PROBE_STEPS=1 GLIMORA_BUSY_LOOP=1
fi
# The Windows program under Wine, beside these: GLIMORA_WINE_BUILD=build-win [GLIMORA_WINE_BEFORE_BUILD=dir].
[ -z "${GLIMORA_WINE_BUILD:-}" ] || bash tools/measure_cpu_wine.sh "$GLIMORA_WINE_BUILD" "${GLIMORA_WINE_BEFORE_BUILD:-}"

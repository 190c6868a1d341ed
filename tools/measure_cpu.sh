#!/usr/bin/env bash
# Measures the processor time the SDL program uses while nothing happens, under Xvfb: on
# each screen and in a running game with no input, and the same with a gamepad plugged in
# (a virtual one, inside the process), each beside the same figure with a loop that polls
# without waiting. It runs the game built with test switches, glimora_driven (--busy-loop:
# never wait; --autoplay: start a game at once, as if Play were clicked; --virtual-gamepad).
# Each figure comes with the wake-ups a second of all the threads of the process (voluntary
# context switches). Several runs give min / median / max; a second build (the program before
# a change) is measured in the same runs, alternating with the first. A build without the
# gamepad switch is measured without a gamepad (it reads none). The backend's own stand-in
# (tools/cpu_probe) is measured as well, once.
# On a machine shared with other work, a polling loop gets only its share of a processor:
# compare the waiting and polling figures of one run, not runs with each other.
#
# Usage: tools/measure_cpu.sh [build-dir [earlier-build-dir]]     (default: build)
#   GLIMORA_MEASURE_SECONDS  length of each measurement (default 10)
#   GLIMORA_MEASURE_RUNS     runs of each program (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--inside-xvfb" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (apt-get install xvfb xauth)"; exit 1; }
    exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" --inside-xvfb "${1:-build}" "${2:-}"
fi
builds=("$2")
labels=("this build")
if [ -n "${3:-}" ]; then
    builds+=("$3")
    labels+=("earlier build")
fi
seconds="${GLIMORA_MEASURE_SECONDS:-10}"
runs="${GLIMORA_MEASURE_RUNS:-3}"
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

# Voluntary context switches (wake-ups after a sleep) of all the threads of a process.
wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# measure PROGRAM RESULT-KEY [VAR=value...] [-- SWITCH...]: starts the program, lets it
# settle, measures; one line "key cpu-ticks x-ticks wake-ups" into the results, or nothing when
# the program ended early.
measure() {
    local program="$1" key="$2" vars=()
    shift 2
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do vars+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    env HOME="$home" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER="$audio" "${vars[@]}" "$program" "$@" \
        >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$key: the program ended early" >&2
        return
    fi
    local before after xbefore=0 xafter=0 wbefore wafter
    before=$(cpu_ticks "$pid")
    [ -n "$xserver" ] && xbefore=$(cpu_ticks "$xserver")
    wbefore=$(wakeups "$pid")
    sleep "$seconds"
    after=$(cpu_ticks "$pid")
    wafter=$(wakeups "$pid")
    [ -n "$xserver" ] && xafter=$(cpu_ticks "$xserver")
    kill -TERM "$pid" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$key $(( after - before )) $(( xafter - xbefore )) $(( wafter - wbefore ))" >>"$home/results"
}

# The program reads glimora.conf beside it: a copy of each build runs on its own files, so
# that no saved game changes what it shows. A first short run saves the files of a player who
# has seen the help screen; every measured run starts from them, on the title screen.
fresh_files() {
    rm -rf "$home/userdata"
    cp -a "$home/seen-help" "$home/userdata"
}
prepare_game() {
    local index="$1"
    mkdir -p "$home/bin$index" "$home/userdata"
    cp "${builds[$index]}/glimora_driven" "$home/bin$index/glimora"
    printf 'Language=1\nPath=%s\n' "$home/userdata" >"$home/bin$index/glimora.conf"
    if [ ! -d "$home/seen-help" ]; then
        env HOME="$home" SDL_AUDIODRIVER=dummy "$home/bin$index/glimora" >/dev/null 2>&1 &
        local pid=$!
        sleep 2
        kill -TERM "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        cp -a "$home/userdata" "$home/seen-help"
    fi
}
# Whether a build's glimora_driven takes a switch.
takes() {
    grep -q -- "$2" "$home/bin$1/glimora"
}

# The screens measured: a name, how to start there, and whether the gamepad is plugged in.
scenarios=(
    "title screen, waiting loop|fresh|"
    "title screen, waiting, SDL's own audio|fresh audio|"
    "title screen, polling loop|fresh|--busy-loop"
    "help screen (new player), waiting loop|none|"
    "high-score screen, waiting loop|fresh|--command 9076"
    "paused game, waiting loop|fresh|--autoplay --command 9077"
    "running game, waiting loop|fresh|--autoplay"
    "running game, polling loop|fresh|--autoplay --busy-loop"
    "title screen, gamepad plugged in|fresh|--virtual-gamepad"
    "running game, gamepad plugged in|fresh|--autoplay --virtual-gamepad"
)

echo "Processor time (user + system) over ${seconds} s with no input, ${runs} runs (Xvfb, dummy audio):"
for index in "${!builds[@]}"; do
    [ -x "${builds[$index]}/glimora_driven" ] || { echo "${builds[$index]}/glimora_driven is not built"; exit 1; }
    prepare_game "$index"
done
: >"$home/results"
for run in $(seq "$runs"); do
    for s in "${!scenarios[@]}"; do
        IFS='|' read -r name start switches <<<"${scenarios[$s]}"
        for index in "${!builds[@]}"; do
            args=()
            for a in $switches; do
                [ "$a" = --virtual-gamepad ] && ! takes "$index" "$a" && continue
                args+=("$a")
            done
            case "$start" in
            fresh) fresh_files ;;
            "fresh audio") fresh_files; audio="" ;;
            none) rm -rf "$home/userdata" ;;
            esac
            measure "$home/bin$index/glimora" "$s:$index" -- ${args[@]+"${args[@]}"}
            audio=dummy
        done
    done
done
printf '%-40s %-14s %23s | %23s | %7s\n' "" "" "% of a core" "wake-ups a second" "X %"
printf '%-40s %-14s %7s %7s %7s | %7s %7s %7s | %7s\n' "" "" min median max min median max median
for s in "${!scenarios[@]}"; do
    IFS='|' read -r name _ _ <<<"${scenarios[$s]}"
    for index in "${!builds[@]}"; do
        awk -v k="$s:$index" -v hz="$hz" -v sec="$seconds" '
            function median(a, n,    k, j, t) {
                for (k = 2; k <= n; ++k)
                    for (j = k; j > 1 && a[j - 1] > a[j]; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
                return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
            }
            $1 == k { ++n; c[n] = 100 * $2 / hz / sec; x[n] = 100 * $3 / hz / sec; w[n] = $4 / sec }
            END {
                if (n == 0) { print "   (no figure)"; exit }
                cm = median(c, n); wm = median(w, n); xm = median(x, n)
                printf "%7.2f %7.2f %7.2f | %7.1f %7.1f %7.1f | %7.2f\n", c[1], cm, c[n], w[1], wm, w[n], xm
            }' "$home/results" | sed "s/^/$(printf '%-40s %-14s' "$name" "${labels[$index]}")/"
    done
done

# The two seconds after a press on GAME OVER, before the high-score step: nothing is due
# but the end of the delay.
fresh_files
out="$home/gameover.out"
env HOME="$home" XDG_DATA_HOME="$home/data" SDL_AUDIODRIVER=dummy "$home/bin0/glimora" --autoplay \
    --press-at-game-over >"$out" 2>&1 &
pid=$!
for _ in $(seq 1200); do grep -q 'pressed on GAME OVER' "$out" && break; sleep 0.1; done
before=$(cpu_ticks "$pid"); sleep 1.9; after=$(cpu_ticks "$pid")
kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
awk -v t=$(( after - before )) -v hz="$hz" \
    'BEGIN { printf "%-40s %6.2f s (%5.1f %%)\n", "GAME OVER delay after a press (1.9 s)", t / hz, 100 * t / hz / 1.9 }'

probe="${builds[0]}/tools/cpu_probe/cpu_probe"
if [ -x "$probe" ]; then
    : >"$home/results"
    for probe_case in "backend alone, idle, waiting|" "backend alone, idle, polling|GLIMORA_BUSY_LOOP=1" \
        "backend alone, 100 ms steps, waiting|GLIMORA_PROBE_STEPS=1" \
        "backend alone, 100 ms steps, polling|GLIMORA_PROBE_STEPS=1 GLIMORA_BUSY_LOOP=1"; do
        IFS='|' read -r name vars <<<"$probe_case"
        measure "$probe" probe $vars
        awk -v hz="$hz" -v sec="$seconds" -v l="$name" '$1 == "probe" {
            printf "%-40s %6.2f %% of a core, %7.1f wake-ups a second\n", l, 100 * $2 / hz / sec, $4 / sec }' \
            "$home/results"
        : >"$home/results"
    done
fi
# The Windows program under Wine, beside these: GLIMORA_WINE_BUILD=build-win [GLIMORA_WINE_BEFORE_BUILD=dir].
[ -z "${GLIMORA_WINE_BUILD:-}" ] || bash tools/measure_cpu_wine.sh "$GLIMORA_WINE_BUILD" "${GLIMORA_WINE_BEFORE_BUILD:-}"

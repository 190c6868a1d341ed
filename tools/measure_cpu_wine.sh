#!/usr/bin/env bash
# Measures the processor time glimora.exe and its wineserver use under Wine while nothing happens.
# Under Xvfb, in a fresh Wine prefix with the installer's registry key, each run starts the game
# (a player without files: the help screen first), lets it settle and measures the help screen,
# clicks OK and measures the title screen, clicks Play and measures the running game, no input
# in between; then kills the program, so it writes no file and every run starts alike. Several
# runs give min / median / max of glimora.exe + wineserver, in % of one core; a second program
# (the build before a change) is measured in the same runs, alternating with the first.
# The rest of the prefix (explorer.exe and the other services) and the X server are shown apart.
#
# Usage: tools/measure_cpu_wine.sh [windows-build-dir [earlier-windows-build-dir]]
#        (default: build-win; each holds glimora.exe, cross-built with mingw-w64)
#   GLIMORA_MEASURE_SECONDS  length of each measurement (default 10; a game with no input
#                            lasts about 12 s, so a longer one takes GAME OVER in)
#   GLIMORA_MEASURE_RUNS     runs of each program (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/own_xvfb.sh

for tool in Xvfb xdotool wine wineserver; do
    command -v "$tool" >/dev/null ||
        { echo "$tool is missing (GLIMORA_WINDOWS=1 bash tools/deps.sh; apt-get install xdotool)"; exit 1; }
done
programs=("$(realpath "${1:-build-win}/glimora.exe")")
labels=("this build")
if [ -n "${2:-}" ]; then
    programs+=("$(realpath "$2/glimora.exe")")
    labels+=("earlier build")
fi
for exe in "${programs[@]}"; do
    [ -f "$exe" ] || { echo "$exe is not built"; exit 1; }
done
seconds="${GLIMORA_MEASURE_SECONDS:-10}"
runs="${GLIMORA_MEASURE_RUNS:-3}"
hz=$(getconf CLK_TCK)

work=$(mktemp -d /tmp/glimora-cpu-wine.XXXXXX)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
game_pid=""
xvfb_pid=""
cleanup() {
    if [ -n "$game_pid" ]; then kill -KILL "$game_pid" 2>/dev/null || true; fi
    timeout 30 wineserver -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

start_own_xvfb "$work" 800x600 || { echo "Xvfb did not start"; exit 1; }

# Processor time (user + system, all threads) of a process so far, in clock ticks; 0 when gone.
cpu_ticks() {
    local rest
    rest=$(sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
    set -- $rest
    echo $(( ${12} + ${13} ))
}

# The Wine processes of our prefix (their environment names it), one pid a line: the programs
# and the wineserver, not this script and its helpers.
prefix_processes() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        case "$(cat "/proc/$pid/comm" 2>/dev/null)" in *.exe | wineserver*) ;; *) continue ;; esac
        tr '\0' '\n' <"$environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}

# The wineserver of our prefix (another prefix on the machine has its own).
our_wineserver() {
    local pid
    for pid in $(prefix_processes); do
        case "$(cat "/proc/$pid/comm" 2>/dev/null)" in wineserver*) echo "$pid"; return ;; esac
    done
}

# Voluntary context switches (wake-ups after a wait) of every thread of a process, summed.
wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

# Processor ticks of: the game, its wineserver, the rest of the prefix, the X server; then the
# game's wake-ups.
sample() {
    local server rest=0 pid
    server=$(our_wineserver)
    for pid in $(prefix_processes); do
        [ "$pid" = "$game_pid" ] || [ "$pid" = "$server" ] || rest=$(( rest + $(cpu_ticks "$pid") ))
    done
    echo "$(cpu_ticks "$game_pid") $([ -n "$server" ] && cpu_ticks "$server" || echo 0) $rest" \
        "$([ -n "$xvfb_pid" ] && cpu_ticks "$xvfb_pid" || echo 0) $(wakeups "$game_pid")"
}

# measure PROGRAM-INDEX SCREEN: one figure line into the results file.
measure() {
    local before after
    before=$(sample)
    sleep "$seconds"
    after=$(sample)
    echo "$1 $2 $before $after" >>"$work/results"
}

# A left click at a point of the 480 x 480 canvas. The X window holds the menu bar above the
# client area (no window manager: Wine draws no frame).
click() {
    local height
    height=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ { split($2, s, "x"); print s[2] }')
    xdotool mousemove --window "$window" "$1" $(( $2 + height - 480 )) click 1
    # The pointer leaves the window, so no more input comes from it.
    xdotool mousemove 799 599
}

echo "Setting up a fresh Wine prefix ..."
timeout 300 wine wineboot -i >"$work/wineboot.log" 2>&1 || { tail -n 30 "$work/wineboot.log"; exit 1; }
timeout 120 wineserver -w || true
install=$(printf 'Z:%s' "$work/install" | tr '/' '\\')
mkdir -p "$work/install/Glimora"
timeout 60 wine reg add 'HKLM\Software\Glimora' /v Path /t REG_SZ /d "$install" /f >/dev/null
timeout 60 wine reg add 'HKLM\Software\Glimora' /v Language /t REG_DWORD /d 1 /f >/dev/null
: >"$work/results"

for run in $(seq "$runs"); do
    for index in "${!programs[@]}"; do
        echo "run $run of $runs: ${labels[$index]} (${programs[$index]})"
        (cd "$work" && exec wine "${programs[$index]}" >/dev/null 2>&1) &
        game_pid=$!
        window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Glimora$' | head -n 1) ||
            { echo "no Glimora window appeared"; exit 1; }
        sleep 3
        measure "$index" help
        click 237 418 # OK on the help screen
        sleep 2
        measure "$index" title
        click 364 160 # Play
        sleep 1
        measure "$index" running
        kill -KILL "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
        game_pid=""
        timeout 60 wineserver -w || true
    done
done

echo
echo "Processor time (user + system) over $seconds s with no input, $runs runs, % of one core:"
printf '%-20s %-14s %7s %7s %7s | %7s %7s %7s %7s | %17s\n' "" "" \
    "min" "median" "max" "game" "server" "rest" "X" "game"
printf '%-20s %-14s %23s | %-31s | %17s\n' "" "" "glimora.exe+wineserver" "medians: % of a core" \
    "wakes/s min/med/max"
for screen in help title running; do
    name="$screen screen"
    [ "$screen" = running ] && name="running game"
    for index in "${!programs[@]}"; do
        awk -v i="$index" -v s="$screen" -v hz="$hz" -v sec="$seconds" '
            function pct(t) { return 100 * t / hz / sec }
            function median(a, n,    k, j, t) {
                for (k = 2; k <= n; ++k)
                    for (j = k; j > 1 && a[j - 1] > a[j]; --j) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
                return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
            }
            $1 == i && $2 == s {
                ++n
                both[n] = pct($8 - $3 + $9 - $4); game[n] = pct($8 - $3); server[n] = pct($9 - $4)
                rest[n] = pct($10 - $5); x[n] = pct($11 - $6); wakes[n] = ($12 - $7) / sec
                lo = n == 1 || both[n] < lo ? both[n] : lo; hi = n == 1 || both[n] > hi ? both[n] : hi
            }
            END {
                m = median(both, n)
                w = median(wakes, n) # sorts them
                printf "%7.2f %7.2f %7.2f | %7.2f %7.2f %7.2f %7.2f | %5.1f %5.1f %5.1f\n", lo, m, hi,
                    median(game, n), median(server, n), median(rest, n), median(x, n), wakes[1], w, wakes[n]
            }' "$work/results" | sed "s/^/$(printf '%-20s %-14s' "$name" "${labels[$index]}")/"
    done
done

#!/usr/bin/env bash
# Smoke test of the SDL program without a display: it starts, shows the help screen to a new
# player and the title screen at the next start, and ends cleanly when its window is closed
# (the game built with test switches, glimora_driven); a resumed game is played by a gamepad
# (SDL's virtual one, plugged in inside the process); the player's program saves at SIGTERM.
# The third argument is the checker that writes and reads saved games
# (tests/win32/win32_written_files_check).
set -euo pipefail
program="$1"
game="$2"
checker="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A private copy with its own configuration, so the test never touches the user's files.
cp "$program" "$work/glimora"
mkdir -p "$work/data/Glimora"
printf 'Language=1\nPath=%s/data\n' "$work" > "$work/glimora.conf"

run() {
    SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy \
    HOME="$work" XDG_DATA_HOME="$work/xdg" timeout 60 "$work/glimora" --close-after-ms 1500
}

first="$(run)"
echo "first start: $first"
grep -q 'closing the window on screen 3' <<<"$first"   # help first for a new player
[ "$(stat -c %s "$work/data/Glimora/donnees0.icc")" = 1648 ]

second="$(run)"
echo "second start: $second"
grep -q 'closing the window on screen 0' <<<"$second"  # then the title screen
# A resumed game played by a gamepad alone: A resumes, the D-pad moves the cursor from square
# (0, 0), A places the red diamond at (3, 2), which clears its row, and the green arrow at
# (0, 4), which paints its own. (The dummy video driver gives no keyboard focus, without which
# SDL lets a gamepad's presses pass by.)
mkdir -p "$work/pad/Glimora"
printf 'Language=1\nPath=%s/pad\n' "$work" > "$work/glimora.conf"
"$checker" --resumable "$work/pad/Glimora/donnees0.icc"
SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=1 \
    HOME="$work" XDG_DATA_HOME="$work/xdg" timeout 60 "$work/glimora" --close-after-ms 5000 \
    --gamepad-presses a,right,right,right,down,down,a,left,left,left,down,down,a
played="$("$checker" --same-game "$work/pad/Glimora/donnees0.icc" "$work/pad/Glimora/donnees0.icc")"
echo "$played"
grep -q '^board: 0p0p0p0p0p0p 0p0p0p0p0p0p 0p0p0p0p0p0p 0p0p0p0p0p0p 2g0g0g0g0g0g 0p0p0p0p0p0p$' \
    <<<"$played"
printf 'Language=1\nPath=%s/data\n' "$work" > "$work/glimora.conf"

# The player's program: no switches; SIGTERM and SIGHUP (a closed terminal) end it through the
# close box, which saves.
cp "$game" "$work/glimora"
for signal in TERM HUP; do
    rm "$work/data/Glimora/donnees0.icc"
    SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy HOME="$work" \
        XDG_DATA_HOME="$work/xdg" "$work/glimora" &
    pid=$!
    sleep 1.5
    kill -"$signal" "$pid"
    wait "$pid"
    [ "$(stat -c %s "$work/data/Glimora/donnees0.icc")" = 1648 ]
done
# A save that fails at a logout still says so: the message box the second SIGTERM closes is
# written on stderr, and the status is not 0. (A file where the saved-game folder should be
# makes the save fail, for root too.)
rm -rf "$work/data/Glimora"
touch "$work/data/Glimora"
SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy HOME="$work" \
    XDG_DATA_HOME="$work/xdg" "$work/glimora" 2>"$work/stderr" &
pid=$!
sleep 1.5
kill -TERM "$pid"; sleep 1; kill -TERM "$pid" 2>/dev/null || true
sleep 2; kill -KILL "$pid" 2>/dev/null || true   # never left running
status=0
wait "$pid" || status=$?
cat "$work/stderr"
grep -q 'Error 2\.' "$work/stderr"
[ "$status" -eq 1 ]
rm "$work/data/Glimora"
mkdir "$work/data/Glimora"

# No display: a message and a non-zero status, never a game running with no window.
if out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy HOME="$work" \
        XDG_DATA_HOME="$work/xdg" timeout 20 "$work/glimora" 2>&1); then
    echo "started without a display and ended with status 0"; exit 1
fi
grep -q "cannot open the game's window" <<<"$out"
echo "SDL smoke test passed"

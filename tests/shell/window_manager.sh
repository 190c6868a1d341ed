#!/usr/bin/env bash
# Plays the program under a real window manager (openbox) on an Xvfb of its own: maximised, then
# tiled to the left half of the screen at full height, then back to a free size. Wherever the
# window manager keeps the client another shape, the square picture must be centred in it, the
# margin around it painted the game's dark colour everywhere, and the picture must be the 480
# picture scaled; back at a free size the client is square again and the picture is the 480 one
# pixel for pixel. Then, maximised, clicks at the centred buttons start a game and a click on a
# board square places on that very square. Last, a saved game is resumed and played by the
# keyboard alone (Return resumes, arrows from square (0, 0), Return places, Return after GAME
# OVER), and again by the same clicks: both leave the same board, score and counters. That part
# runs the game built with test switches beside PROGRAM (glimora_driven, which says when GAME
# OVER shows) and the native checker of saved games (tests/win32/win32_written_files_check).
#
# Usage: tests/shell/window_manager.sh PROGRAM
set -euo pipefail
program="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
. "$root/tools/own_xvfb.sh"
for tool in Xvfb openbox xdotool xwininfo import python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (tools/deps.sh installs it)"; exit 1; }
done

work="$(mktemp -d)"
game_pid=""
wm_pid=""
xvfb_pid=""
cleanup() {
    for pid in "$game_pid" "$wm_pid" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "-- window manager: FAILED: $*" >&2
    if [ -n "${GLIMORA_SHOTS:-}" ]; then mkdir -p "$GLIMORA_SHOTS" && cp "$work"/*.png "$GLIMORA_SHOTS"/ 2>/dev/null || true; fi
    exit 1
}
say() { echo "-- window manager: $*"; }

start_own_xvfb "$work" 1024x768 || fail "no Xvfb"
# Keys for what players do with the mouse or their own bindings: maximise, tile to the left
# half at full height (maximised vertically, so the height is the window manager's), and back
# to a free size.
cat >"$work/rc.xml" <<'RC'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <keyboard>
    <keybind key="W-Up"><action name="Maximize"/></keybind>
    <keybind key="W-Left">
      <action name="Unmaximize"/>
      <action name="MoveResizeTo"><x>0</x><y>0</y><width>50%</width><height>100%</height></action>
      <action name="Maximize"><direction>vertical</direction></action>
    </keybind>
    <keybind key="W-Down">
      <action name="Unmaximize"/>
      <action name="MoveResizeTo"><x>100</x><y>50</y><width>640</width><height>560</height></action>
    </keybind>
  </keyboard>
</openbox_config>
RC
openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

mkdir -p "$work/data/Glimora" "$work/home"
cp "$program" "$work/glimora"
printf 'Language=1\nPath=%s/data\n' "$work" >"$work/glimora.conf"
env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy GDK_SCALE=1 HOME="$work/home" \
    XDG_DATA_HOME="$work/xdg" "$work/glimora" >"$work/game.log" 2>&1 &
game_pid=$!
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^Glimora$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$work/game.log")"
    sleep 0.1
done
[ -n "$window" ] || fail "no window"
sleep 1
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true

# The window's inside on the screen: x y width height.
geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
# Waits until the window's size stops changing, then shoots the screen as raw RGB.
shoot() {
    local name="$1" before="" now
    for _ in $(seq 1 30); do
        sleep 0.3
        now=$(geometry)
        [ "$now" = "$before" ] && break
        before="$now"
    done
    sleep 0.5
    import -window root -depth 8 "rgb:$work/$name.rgb"
    import -window root "$work/$name.png" 2>/dev/null || true
    geometry >"$work/$name.geometry"
}
# check.py SHOT MODE: "reference" keeps the square client picture; "scaled" checks the centred
# picture against it and the margin; "exact" wants the square client equal to it.
cat >"$work/check.py" <<'PY'
import sys
work, name, mode = sys.argv[1], sys.argv[2], sys.argv[3]
W, H = 1024, 768
MARGIN = (0x1C, 0x1C, 0x1C)
shot = open(f"{work}/{name}.rgb", "rb").read()
x0, y0, w, h = map(int, open(f"{work}/{name}.geometry").read().split())
bar = int(open(f"{work}/bar").read()) if mode != "reference" else h - 480
def px(x, y):
    i = 3 * (y * W + x)
    return tuple(shot[i:i + 3])
cw, ch = w, h - bar
if mode == "reference":
    if cw != 480 or ch != 480:
        sys.exit(f"{name}: the client is {cw} x {ch}, not 480 x 480")
    open(f"{work}/bar", "w").write(str(bar))
    with open(f"{work}/reference.rgb", "wb") as out:
        for y in range(480):
            i = 3 * ((y0 + bar + y) * W + x0)
            out.write(shot[i:i + 3 * 480])
    sys.exit(0)
ref = open(f"{work}/reference.rgb", "rb").read()
def refpx(x, y):
    i = 3 * (y * 480 + x)
    return tuple(ref[i:i + 3])
side = min(cw, ch)
if mode == "exact":
    if cw != ch:
        sys.exit(f"{name}: the client is {cw} x {ch}, not square")
ox, oy = (cw - side) // 2, (ch - side) // 2
print(f"{name}: client {cw} x {ch}, picture {side} at ({ox}, {oy})")
if mode == "scaled" and cw == ch:
    sys.exit(f"{name}: the window manager let the client be square; nothing to check")
bad_margin = 0
for y in range(ch):
    for x in range(cw):
        if not (ox <= x < ox + side and oy <= y < oy + side):
            bad_margin += px(x0 + x, y0 + bar + y) != MARGIN
if bad_margin:
    sys.exit(f"{name}: {bad_margin} margin pixels are not the margin's colour")
# The game draws a larger picture from its own pictures and fonts, not by scaling the 480 one:
# the two are compared by the mean colour of each 16 x 16 block of the 480 picture.
def mean(get, xa, xb, ya, yb):
    s = [0, 0, 0]
    for y in range(ya, yb):
        for x in range(xa, xb):
            for c, v in enumerate(get(x, y)):
                s[c] += v
    n = max((xb - xa) * (yb - ya), 1)
    return [v / n for v in s]
differ = 0
for by in range(0, 480, 16):
    for bx in range(0, 480, 16):
        want = mean(refpx, bx, bx + 16, by, by + 16)
        xa, xb = ox + bx * side // 480, ox + (bx + 16) * side // 480
        ya, yb = oy + by * side // 480, oy + (by + 16) * side // 480
        got = mean(lambda x, y: px(x0 + x, y0 + bar + y), xa, xb, ya, yb)
        differ += max(abs(a - b) for a, b in zip(want, got)) > 12
if mode == "exact" and side == 480:
    exact = sum(px(x0 + x, y0 + bar + y) != refpx(x, y) for y in range(480) for x in range(480))
    if exact:
        sys.exit(f"{name}: {exact} pixels differ from the 480 picture")
print(f"{name}: {differ} of 900 blocks differ from the 480 picture")
if differ > 18:
    sys.exit(f"{name}: the picture is not the 480 picture, centred")
PY
check() { python3 "$work/check.py" "$work" "$@" || fail "$1"; }

shoot normal
check normal reference
say "maximised"
xdotool key --window "$window" super+Up
shoot maximised
check maximised scaled
say "tiled to the left half"
xdotool key --window "$window" super+Left
shoot tiled
check tiled scaled
say "back to a free size"
xdotool key --window "$window" super+Down
shoot free
check free exact

# Clicks, maximised: the picture's canvas point (cx, cy) on the screen.
say "clicks on the centred picture"
xdotool key --window "$window" super+Up
shoot clicks
read -r x0 y0 w h <"$work/clicks.geometry"
bar=$(cat "$work/bar")
ch=$((h - bar))
side=$((w < ch ? w : ch))
ox=$((x0 + (w - side) / 2))
oy=$((y0 + bar + (ch - side) / 2))
click() {
    xdotool mousemove --sync $((ox + $1 * side / 480)) $((oy + $2 * side / 480)) click 1
    sleep 0.5
}
# The centre of board square (column, row) in canvas units: 121 + 54 n + 24.
square_changed() {
    python3 - "$work" "$1" "$2" "$ox" "$oy" "$side" <<'PY'
import sys
work, a, b = sys.argv[1:4]
ox, oy, side = map(int, sys.argv[4:7])
W = 1024
one, two = open(f"{work}/{a}.rgb", "rb").read(), open(f"{work}/{b}.rgb", "rb").read()
def changed(col, row):
    n = 0
    for cy in range(121 + 54 * row + 4, 121 + 54 * row + 44):
        for cx in range(121 + 54 * col + 4, 121 + 54 * col + 44):
            x, y = ox + cx * side // 480, oy + cy * side // 480
            i = 3 * (y * W + x)
            n += one[i:i + 3] != two[i:i + 3]
    return n
col, row = 3, 2
n = changed(col, row)
print(f"square ({col}, {row}): {n} pixels changed")
sys.exit(0 if n > 200 else 1)
PY
}
click 237 418 # the help screen's OK
click 364 160 # Play on the title
sleep 1
import -window root -depth 8 "rgb:$work/before.rgb"
click $((121 + 54 * 3 + 24)) $((121 + 54 * 2 + 24))
import -window root -depth 8 "rgb:$work/after.rgb"
import -window root "$work/placed.png" 2>/dev/null || true
square_changed before after || fail "the click on square (3, 2) placed nothing there"
kill "$game_pid" 2>/dev/null || true
wait "$game_pid" 2>/dev/null || true
game_pid=""

# A resumed game by keys, then by clicks. The checker writes the game to resume: two elements
# rise slowly, one to clear a row, the other to paint one.
build="$(dirname "$program")"
driven="$build/glimora_driven"
checker="$build/tests/win32/win32_written_files_check"
[ -x "$driven" ] && [ -x "$checker" ] || fail "$driven or $checker is not built"
play_resumed() {
    local mode="$1" run="$work/$1"
    mkdir -p "$run/data/Glimora" "$run/home"
    cp "$driven" "$run/glimora"
    printf 'Language=1\nPath=%s/data\n' "$run" >"$run/glimora.conf"
    "$checker" --resumable "$run/data/Glimora/donnees0.icc" || fail "no game to resume"
    env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy GDK_SCALE=1 HOME="$run/home" \
        "$run/glimora" --say-game-over >"$run/game.log" 2>&1 &
    game_pid=$!
    window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --pid "$game_pid" --name '^Glimora$' 2>/dev/null | head -1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$mode: no window"
    sleep 1
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    read -r x0 y0 w h < <(geometry)
    local bar=$((h - 480))
    square() { # a click at the centre of square (column, row)
        xdotool mousemove --sync $((x0 + 121 + 54 * $1 + 24)) $((y0 + bar + 121 + 54 * $2 + 24)) click 1
    }
    if [ "$mode" = keys ]; then
        xdotool key Return
        sleep 0.2
        xdotool key Right Right Right Down Down Return
        sleep 0.3
        xdotool key Left Left Left Down Down Return
    else
        square 0 0
        sleep 0.2
        square 3 2
        sleep 0.3
        square 0 4
    fi
    for _ in $(seq 1 600); do
        grep -q 'GAME OVER shown' "$run/game.log" && break
        sleep 0.1
    done
    grep -q 'GAME OVER shown' "$run/game.log" || fail "$mode: no GAME OVER within 60 s"
    if [ "$mode" = keys ]; then xdotool key Return; else square 0 4; fi
    # The name asked two seconds later, typed and confirmed alike.
    sleep 3
    xdotool type --delay 50 Ann
    xdotool key Return
    sleep 1
    import -window root "$work/$mode-end.png" 2>/dev/null || true
    kill -TERM "$game_pid"
    wait "$game_pid" || fail "$mode: the game ended with $?"
    game_pid=""
}
say "a resumed game by keys"
play_resumed keys
say "the same game by clicks"
play_resumed clicks
ends=$("$checker" --same-game "$work/keys/data/Glimora/donnees0.icc" \
    "$work/clicks/data/Glimora/donnees0.icc") || fail "keys and clicks left other games: $ends"
echo "$ends"
grep -q '^score [1-9]' <<<"$ends" || fail "the resumed game scored nothing"

say "passed"

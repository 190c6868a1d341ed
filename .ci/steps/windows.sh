#!/usr/bin/env bash
# CI: cross-compiles the Windows program with mingw-w64, checks the shared access list and the
# file layer under Wine, then runs glimora.exe under Wine and Xvfb: a fresh prefix with the
# installer's registry key; a driver waits for the window, plays a short first session through
# window messages (help, Options dialog, Play, one element, New Game dialog) and closes the
# window as the close box does; then the exit code and the two files the run wrote, read back
# by the game's own loaders, are checked. A second run resumes that game; then a saved game is
# resumed and played to its end by key messages alone, and again by clicks, both ending alike;
# a last run goes without the registry key (its two messages, and the saved game left
# untouched).
# Every command is bounded by a timeout, so the step can never hang.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
. tools/own_xvfb.sh

build=${GLIMORA_WINDOWS_BUILD:-build-win}
native=${GLIMORA_NATIVE_BUILD:-build}
compiler=x86_64-w64-mingw32-g++-posix

say() { echo "-- windows: $*"; }
fail() {
    echo "-- windows: FAILED: $*" >&2
    exit 1
}

if ! command -v "$compiler" >/dev/null 2>&1; then
    if [ "${GLIMORA_WINDOWS:-0}" = 1 ]; then
        fail "$compiler is missing although GLIMORA_WINDOWS=1 (tools/deps.sh installs it)"
    fi
    say "skipped: no mingw-w64 cross compiler ($compiler); GLIMORA_WINDOWS=1 bash tools/deps.sh installs it"
    exit 0
fi

say "cross build into $build"
timeout 600 cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    >/dev/null
timeout 3600 cmake --build "$build" -j2 --target glimora wine_acl_test smoke_driver
for exe in glimora wine_acl_test smoke_driver; do
    [ -f "$build/$exe.exe" ] || fail "$build/$exe.exe was not built"
done

say "native checker of the written files in $native"
if [ ! -f "$native/build.ninja" ]; then
    timeout 600 cmake -S . -B "$native" -G Ninja >/dev/null
fi
timeout 1800 cmake --build "$native" -j2 --target win32_written_files_check
checker="$native/tests/win32/win32_written_files_check"
[ -x "$checker" ] || fail "$checker was not built"

wine=$(command -v wine || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then wine=/usr/lib/wine/wine64; fi
[ -n "$wine" ] || fail "Wine is not installed (tools/deps.sh installs wine and wine64 with GLIMORA_WINDOWS=1)"
wineserver=$(command -v wineserver || true)
if [ -z "$wineserver" ] && [ -x /usr/lib/wine/wineserver ]; then wineserver=/usr/lib/wine/wineserver; fi
command -v Xvfb >/dev/null 2>&1 || fail "Xvfb is not installed"

work=$(mktemp -d /tmp/glimora-wine.XXXXXX)
export WINEPREFIX="$work/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs in a fresh prefix; no sound device is needed.
export WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
game_pid=""
cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    if [ -n "$wineserver" ] && [ -d "$WINEPREFIX" ]; then timeout 30 "$wineserver" -k 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# Windows path of a Linux path: Wine's drive Z: is the Linux root.
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# The display comes first: every Wine process, the desktop started by wineboot included, must
# find it, or windows cannot be created later.
say "virtual display"
start_own_xvfb "$work" 1024x768 || fail "Xvfb did not start"

say "fresh Wine prefix"
if ! timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1; then
    echo "Wine cannot start on this machine:" >&2
    tail -n 30 "$work/wineboot.log" >&2
    fail "wineboot -i did not succeed"
fi
if [ -n "$wineserver" ]; then timeout 120 "$wineserver" -w || true; fi

say "access list and file layer under Wine"
timeout 120 "$wine" "$root/$build/wine_acl_test.exe" || fail "wine_acl_test.exe"
if [ -n "$wineserver" ]; then timeout 120 "$wineserver" -w || true; fi

say "installer's registry key"
install="$work/install"
mkdir -p "$install/Glimora"
timeout 60 "$wine" reg add 'HKLM\Software\Glimora' /v Path /t REG_SZ /d "$(windows_path "$install")" /f \
    >/dev/null || fail "reg add Path"
timeout 60 "$wine" reg add 'HKLM\Software\Glimora' /v Language /t REG_DWORD /d 1 /f \
    >/dev/null || fail "reg add Language"

# One run of the game, driven from outside: "first" plays a short first session, "again"
# starts the game once more, which must resume that session's game from the files, "nokey"
# runs it without the installer's registry key.
# The exit status says whether both files were written: 1 for the run without the key.
# With "second" as its second word, the run is first met by a second start of the game, which
# must give way and leave every file of the players as it was.
run_session() {
    local mode=$1 expected=0
    [ "$mode" = nokey ] && expected=1
    say "smoke test of glimora.exe: $mode run"
    (
        cd "$work"
        status=0
        WINEDEBUG=err+all timeout 180 "$wine" "$root/$build/glimora.exe" >"$work/game.log" 2>&1 || status=$?
        echo "$status" >"$work/game.status"
    ) &
    game_pid=$!
    if [ "${2:-}" = second ]; then
        say "a second start while the game runs"
        local before
        before=$(player_files)
        timeout 150 "$wine" "$root/$build/smoke_driver.exe" second "$(windows_path "$root/$build/smoke")" \
            "$(windows_path "$root/$build/glimora.exe")" || fail "the second start did not give way"
        [ "$(player_files)" = "$before" ] || fail "the second start wrote: $(diff <(echo "$before") <(player_files))"
    fi
    local driver_status=0
    timeout 150 "$wine" "$root/$build/smoke_driver.exe" "$mode" "$(windows_path "$root/$build/smoke")" \
        "$(windows_path "$root/$build/glimora.exe")" || driver_status=$?
    wait "$game_pid" || true
    game_pid=""
    local game_status
    game_status=$(cat "$work/game.status" 2>/dev/null || echo "none")
    rm -f "$work/game.status"
    if [ "$driver_status" != 0 ] || [ "$game_status" != "$expected" ]; then
        cat "$work/game.log" >&2 || true
        fail "the smoke driver exited with $driver_status, glimora.exe with $game_status (expected $expected)"
    fi
    say "glimora.exe exited with $game_status"
}

# Every file of the players, names and bytes: the saved games and the slot file.
player_files() {
    (find "$install" -type f; find "$WINEPREFIX/drive_c" -maxdepth 3 -iname 'userscd32.wxp*') |
        sort | while read -r f; do echo "$f $(sha256sum <"$f")"; done
}

# The two files the run wrote, with their sizes, read back by the game's own loaders.
check_files() {
    local slot save
    slot=$(find "$WINEPREFIX/drive_c" -maxdepth 3 -iname userscd32.wxp -print -quit)
    save="$install/Glimora/donnees0.icc"
    [ -n "$slot" ] || fail "no slot file userscd32.wxp was written"
    [ -f "$save" ] || fail "no saved game $save was written"
    say "slot file C:${slot#"$WINEPREFIX/drive_c"}: $(stat -c %s "$slot") bytes"
    say "saved game: $(stat -c %s "$save") bytes"
    [ "$(stat -c %s "$slot")" = 5208 ] || fail "the slot file does not have 5,208 bytes"
    [ "$(stat -c %s "$save")" = 1648 ] || fail "the saved game does not have 1,648 bytes"
    timeout 60 "$checker" "$slot" "$save" || fail "the written files do not read back as the session left them"
}

rm -rf "${build:?}/smoke"
mkdir -p "$build/smoke"
run_session first
check_files
# The help screen of a new player, as the window showed it at 480 x 480: the Linux game shows
# the help picture one to one, and so must this one, pixel for pixel.
python3 - "$build/smoke/1-help.bmp" resources/bitmaps/2501.bmp <<'PY' || fail "the help screen is not the Linux picture"
import struct, sys
def pixels(path):
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    return (width, height, bits), data[offset:offset + width * height * 3]
shown, want = pixels(sys.argv[1]), pixels(sys.argv[2])
if shown[0] != want[0]:
    sys.exit(f"the window showed {shown[0]}, the picture is {want[0]}")
differ = sum(shown[1][i:i + 3] != want[1][i:i + 3] for i in range(0, len(want[1]), 3))
print(f"-- windows: help screen: {differ} pixels differ from the Linux picture")
sys.exit(1 if differ else 0)
PY
run_session again second
check_files

# A resumed game played by the keyboard alone, then by the same clicks, from the same saved
# game (written by the checker): both end with the same board, score and counters. The saved
# game of the sessions above is put back afterwards.
cp "$install/Glimora/donnees0.icc" "$work/session.icc"
for mode in keys clicks; do
    "$checker" --resumable "$install/Glimora/donnees0.icc" || fail "no game to resume"
    run_session "$mode"
    cp "$install/Glimora/donnees0.icc" "$work/$mode.icc"
done
ends=$("$checker" --same-game "$work/keys.icc" "$work/clicks.icc") ||
    fail "keys and clicks left other games: $ends"
echo "$ends"
grep -q '^score [1-9]' <<<"$ends" || fail "the resumed game scored nothing"
cp "$work/session.icc" "$install/Glimora/donnees0.icc"

# Without the key the game cannot know where the saved game lives: it says so and leaves it be.
timeout 60 "$wine" reg delete 'HKLM\Software\Glimora' /f >/dev/null || fail "reg delete"
saved_before=$(sha256sum <"$install/Glimora/donnees0.icc")
run_session nokey
[ "$(sha256sum <"$install/Glimora/donnees0.icc")" = "$saved_before" ] ||
    fail "the saved game was written although the installer's key was missing"
check_files

# Two new players of the machine whose games run at once (Wine takes the user name from
# $USER): each gets a slot of their own and a saved game in it, and the slot file keeps both.
say "two new players at once"
timeout 60 "$wine" reg add 'HKLM\Software\Glimora' /v Path /t REG_SZ /d "$(windows_path "$install")" /f \
    >/dev/null || fail "reg add Path"
pair_pids=()
for player in anna bruno; do
    (cd "$work" && status=0 && USER=$player timeout 300 "$wine" "$root/$build/glimora.exe" \
        >"$work/$player.log" 2>&1 || status=$?; echo "$status" >"$work/$player.status") &
    pair_pids+=($!)
done
timeout 270 "$wine" "$root/$build/smoke_driver.exe" pair "$(windows_path "$root/$build/smoke")" \
    "$(windows_path "$root/$build/glimora.exe")" || fail "the two players' games did not run together"
wait "${pair_pids[@]}" || true
for player in anna bruno; do
    [ "$(cat "$work/$player.status")" = 0 ] || fail "$player's game ended with $(cat "$work/$player.status")"
done
slot=$(find "$WINEPREFIX/drive_c" -maxdepth 3 -iname userscd32.wxp -print -quit)
names=$(for i in 0 1 2 3; do dd if="$slot" bs=1 skip=$((8 + i * 255)) count=255 status=none | tr -d '\0'; echo; done)
[ "$(sed -n '2,3p' <<<"$names" | sort | tr '\n' ' ')" = "anna bruno " ] ||
    fail "the slot file does not hold both new players: $(tr '\n' ' ' <<<"$names")"
[ -z "$(sed -n 4p <<<"$names")" ] || fail "a fourth name in the slot file: $(tr '\n' ' ' <<<"$names")"
[ "$(od -An -tu4 -j $((0x1444)) -N4 "$slot" | tr -d ' ')" = 3 ] || fail "the slot file's count is not 3"
for file in donnees1.icc donnees2.icc; do
    [ "$(stat -c %s "$install/Glimora/$file" 2>/dev/null)" = 1648 ] || fail "no saved game $file"
done
say "anna and bruno: slots 1 and 2, each with a saved game"

say "passed (pictures of each screen: $build/smoke/)"

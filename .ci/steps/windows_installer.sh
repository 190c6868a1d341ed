#!/usr/bin/env bash
# CI: makes the Windows installer with NSIS and tries it under Wine and Xvfb in a fresh prefix:
# a silent French installation (/S /LANG=0), its registry key and folders, the installed game
# started and quit by its Exit command with both its files written, an installation over it
# that keeps the saved game, and a silent uninstallation that removes the program and the key
# and keeps the saved game. Every command is bounded by a timeout.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
. tools/own_xvfb.sh
build=${GLIMORA_WINDOWS_BUILD:-build-win}

say() { echo "-- windows installer: $*"; }
fail() {
    echo "-- windows installer: FAILED: $*" >&2
    exit 1
}
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || ! command -v makensis >/dev/null 2>&1; then
    [ "${GLIMORA_WINDOWS:-0}" = 1 ] && fail "mingw-w64 or makensis is missing although GLIMORA_WINDOWS=1"
    say "skipped: no mingw-w64 or NSIS; GLIMORA_WINDOWS=1 bash tools/deps.sh installs them"
    exit 0
fi

say "cross build of the installer into $build"
timeout 600 cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
timeout 3600 cmake --build "$build" -j2 --target installer smoke_driver
setup="$root/$build/glimora-setup.exe"
[ -f "$setup" ] || fail "$setup was not built"

wine=$(command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d /tmp/glimora-setup.XXXXXX)
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
    [ -d "$WINEPREFIX" ] && timeout 30 "$wineserver" -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_own_xvfb "$work" 1024x768 || fail "Xvfb did not start"

say "fresh Wine prefix"
timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot -i"
timeout 120 "$wineserver" -w || true

folder="$WINEPREFIX/drive_c/Program Files/Glimora"
saved="$folder/Glimora/donnees0.icc"
key='HKLM\Software\Glimora'
query() { timeout 60 "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v { print $3 }'; }
install() {
    say "silent installation: $*"
    timeout 180 "$wine" "$setup" "$@" || fail "the installer exited with $?"
    timeout 120 "$wineserver" -w || true
    [ "$(query Path)" = 'C:\Program' ] || fail "Path is not the installation folder"
    [ -f "$folder/glimora.exe" ] || fail "glimora.exe is not installed"
    [ -d "$folder/Glimora" ] || fail "no saved-game folder"
    [ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Glimora.lnk" ] ||
        fail "no Start-menu shortcut"
}

install /S /LANG=0
[ "$(query Language)" = 0x0 ] || fail "Language is not 0 (French)"
timeout 60 "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimora' \
    /v UninstallString >/dev/null 2>&1 || fail "not registered in Programs and Features"

say "the installed game, quit by its Exit command"
mkdir -p "$work/pictures"
(cd "$work" && timeout 180 "$wine" "$folder/glimora.exe" >"$work/game.log" 2>&1; echo $? >"$work/game.status") &
game=$!
timeout 150 "$wine" "$root/$build/smoke_driver.exe" installed "$(printf 'Z:%s' "$work/pictures" | tr / '\\')" \
    "C:\\Program Files\\Glimora\\glimora.exe" || fail "the smoke driver failed"
wait "$game" || true
[ "$(cat "$work/game.status")" = 0 ] || { cat "$work/game.log" >&2; fail "glimora.exe exited with $(cat "$work/game.status")"; }
slot=$(find "$WINEPREFIX/drive_c/ProgramData" -maxdepth 2 -iname userscd32.wxp -print -quit)
[ -n "$slot" ] || fail "no list of players in ProgramData\\Glimora"
[ -f "$saved" ] || fail "no saved game in the installation's Glimora folder"
say "list of players $(stat -c %s "$slot") bytes, saved game $(stat -c %s "$saved") bytes"
before=$(sha256sum <"$saved")

install /S /LANG=1
[ "$(query Language)" = 0x1 ] || fail "Language is not 1 (English) after the second installation"
[ "$(sha256sum <"$saved")" = "$before" ] || fail "installing again changed the saved game"

say "silent uninstallation"
timeout 180 "$wine" "$folder/uninstall.exe" /S || fail "the uninstaller exited with $?"
timeout 120 "$wineserver" -w || true
# The uninstaller runs from a copy of itself: wait until it has finished.
for _ in $(seq 1 50); do [ -f "$folder/glimora.exe" ] || break; sleep 0.2; done
[ ! -f "$folder/glimora.exe" ] || fail "glimora.exe is still installed"
timeout 60 "$wine" reg query "$key" >/dev/null 2>&1 && fail "the registry key is still there"
[ "$(sha256sum <"$saved")" = "$before" ] || fail "the uninstallation did not keep the saved game"
[ -f "$slot" ] || fail "the uninstallation did not keep the list of players"
say "passed"

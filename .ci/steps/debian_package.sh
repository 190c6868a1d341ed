#!/usr/bin/env bash
# CI: builds the Debian package from a clean copy of the tree, checks it with lintian, installs
# it, plays the installed game under Xvfb in a fresh home (quit through its menu, Alt+L then
# x for Exit), finds the player's files in the XDG data folder, and purges the package.
set -euo pipefail
cd "$(dirname "$0")/../.."
say() { echo "-- debian package: $*"; }
fail() { echo "-- debian package: FAILED: $*" >&2; exit 1; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
need=(debhelper lintian dpkg-dev desktop-file-utils appstream xdotool x11-utils xvfb xauth)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The package is built from what is committed, as from a source tarball.
mkdir "$work/src"
git archive HEAD | tar -x -C "$work/src"
say "dpkg-buildpackage"
(cd "$work/src" && dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) ||
    { tail -40 "$work/build.log"; fail "the package does not build"; }
deb=$(ls "$work"/glimora_*_amd64.deb)
say "lintian"
lintian --fail-on error,warning "$work"/glimora_*_amd64.changes 2>&1 | grep -v 'running with root' || true
lintian --fail-on error,warning "$work"/glimora_*_amd64.changes >/dev/null 2>&1 || fail "lintian"
desktop-file-validate "$work"/src/packaging/org.glimora.Glimora.desktop || fail "desktop file"

say "install"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null
[ -x /usr/games/glimora ] || fail "/usr/games/glimora is missing"
dpkg-query -W -f='${Conffiles}\n' glimora | grep -q /etc/glimora/glimora.conf || fail "no conffile"
# Each player gets the language of their own locale: the machine-wide file names none.
! grep -q '^[[:space:]]*Language[[:space:]]*=' /etc/glimora/glimora.conf ||
    fail "the installed configuration chooses a language for every user"
metainfo=$(dpkg -L glimora | grep 'metainfo.xml$')
appstreamcli validate --no-net "$metainfo" || fail "AppStream file"

say "play under Xvfb in a fresh home"
home="$work/home"
mkdir -p "$home"
cat >"$work/play.sh" <<'PLAY'
set -u
# An English locale: the keys below are the English menu's.
HOME="$1" XDG_DATA_HOME="$1/.local/share" LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 \
    SDL_AUDIODRIVER=dummy /usr/games/glimora &
pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { kill "$pid"; echo "no window"; exit 1; }
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" alt+l
sleep 0.5
xdotool key --window "$window" x 2>/dev/null
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; echo "the menu's Exit did not end the game"; exit 1; fi
wait "$pid"
PLAY
xvfb-run -a -s "-screen 0 800x600x24" bash "$work/play.sh" "$home" || fail "the installed game"
[ "$(stat -c %s "$home/.local/share/glimora/Glimora/donnees0.icc")" = 1648 ] || fail "no saved game"
[ "$(stat -c %s "$home/.local/share/glimora/userscd32.wxp")" = 5208 ] || fail "no player list"

say "purge"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq glimora >/dev/null
[ ! -e /usr/games/glimora ] && [ ! -e /etc/glimora/glimora.conf ] || fail "purge left files"
say "passed"

#!/usr/bin/env bash
# The real program never replaces what it could not read: an unreadable saved game or player
# list, a player list cut short, a broken configuration; each run checks the bytes on disk
# after the program has ended. Read permissions do not hold for root, so as root the program
# runs as the unprivileged user "nobody".
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
as_player=()
if [ "$(id -u)" = 0 ]; then
    as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
player=$("${as_player[@]}" id -un)
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# A fresh private installation: the program, its configuration, its data folder.
fresh() {
    rm -rf "$work/game"
    mkdir -p "$work/game/data/Glimora" "$work/game/home"
    cp "$program" "$work/game/glimora"
    printf 'Language=1\nPath=%s/game/data\n' "$work" >"$work/game/glimora.conf"
    [ "$(id -u)" = 0 ] && chown -R 65534:65534 "$work/game"
    return 0
}

# Runs the program until it closes its window; sets $status and $err (its stderr). A message
# box waits for a click: a SIGTERM closes each one, as a logout would.
run() {
    env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy HOME="$work/game/home" \
        XDG_DATA_HOME="$work/game/home/xdg" "${as_player[@]}" \
        "$work/game/glimora" --close-after-ms 500 >/dev/null 2>"$work/stderr" &
    local pid=$! tries=0
    sleep 1
    while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 20 ]; do
        kill -TERM "$pid" 2>/dev/null || true
        tries=$((tries + 1))
        sleep 0.5
    done
    kill -KILL "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    err=$(cat "$work/stderr")
}

# Every file under the installation with its mode and checksum, the program excepted.
tree() {
    (cd "$work/game" && find . -path ./glimora -prune -o -print0 | sort -z |
        xargs -0 stat -c '%n %A %s' && find . -type f ! -name glimora -print0 | sort -z |
        xargs -0 -r sha256sum) 2>/dev/null
}

saved="$work/game/data/Glimora/donnees0.icc"
slots="$work/game/data/userscd32.wxp"

# A first run makes both files, with this player in slot 0.
fresh
run
[ "$status" = 0 ] || fail "first run ended with status $status: $err"
[ "$(stat -c %s "$saved")" = 1648 ] || fail "no saved game after the first run"

# An unreadable saved game: said at start-up, left as it is, and the run says it saved nothing.
chmod 000 "$saved"
before=$(tree)
run
[ "$status" = 1 ] || fail "unreadable saved game: status $status"
grep -q 'saved game file cannot be read' <<<"$err" || fail "unreadable saved game not said: $err"
chmod 600 "$saved"
after=$(tree)
[ "$(grep donnees0 <<<"$before")" = "$(grep donnees0 <<<"$after" | sed 's/-rw-------/----------/')" ] ||
    fail "unreadable saved game changed"

# An unreadable player list: neither it nor any saved game is written.
chmod 000 "$slots"
before=$(tree)
run
[ "$status" = 1 ] || fail "unreadable player list: status $status"
grep -q 'cannot be read' <<<"$err" || fail "unreadable player list not said: $err"
[ "$(tree)" = "$before" ] || fail "unreadable player list: files changed"
chmod 600 "$slots"

# A player list cut short before its count keeps every name it holds; this player comes after
# them.
fresh
for name in anna bruno carla; do printf '%s' "$name" | dd of="$work/names" bs=255 conv=sync,notrunc \
    oflag=append status=none; done
{ head -c 8 /dev/zero; cat "$work/names"; } >"$slots"
rm "$work/names"
run
[ "$status" = 0 ] || fail "short player list: status $status: $err"
listed=$(for i in 0 1 2 3 4; do dd if="$slots" bs=1 skip=$((8 + i * 255)) count=255 \
    status=none | tr -d '\0'; echo; done)
[ "$listed" = "$(printf 'anna\nbruno\ncarla\n%s\n' "$player")" ] || fail "names lost: $listed"
[ "$(od -An -tu4 -j $((0x1444)) -N4 "$slots" | tr -d ' ')" = 4 ] || fail "count not 4"
[ -e "$work/game/data/Glimora/donnees3.icc" ] || fail "the new player's game is not in slot 3"

# A broken configuration is named with the reason, and taken as none: nothing written anywhere.
broken_configuration() {
    local label="$1" said="$2"
    fresh
    shift 2
    "$@"
    before=$(tree)
    run
    [ "$status" != 0 ] || fail "$label: status 0"
    grep -q "$said" <<<"$err" || fail "$label: not said: $err"
    [ "$(tree)" = "$before" ] || fail "$label: something was written"
}
broken_configuration "empty configuration" 'glimora.conf cannot be used (no setting' truncate -s 0 "$work/game/glimora.conf"
broken_configuration "garbage configuration" 'glimora.conf cannot be used (line 1' \
    eval 'head -c 300 /dev/urandom | tr "\n=" "xy" >"$work/game/glimora.conf"'
broken_configuration "unreadable configuration" 'glimora.conf cannot be used (Permission' chmod 000 "$work/game/glimora.conf"
broken_configuration "configured folder unreadable" 'userscd32.wxp; it is left' chmod 000 "$work/game/data"

[ "$failures" = 0 ] || exit 1
echo "every file kept"

#!/usr/bin/env bash
# One game at a time per player's files, with the real program: a second start gives way and
# writes nothing while the first plays on and saves its game; a game killed outright leaves
# nothing that keeps the next start out.
set -euo pipefail
program="$1"
work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

mkdir -p "$work/game/data/Glimora" "$work/game/home"
cp "$program" "$work/game/glimora"
printf 'Language=1\nPath=%s/game/data\n' "$work" >"$work/game/glimora.conf"
data="$work/game/data"
saved="$data/Glimora/donnees0.icc"

# The program's own process ($! of a background start is the program itself).
run=(env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy HOME="$work/game/home"
    XDG_DATA_HOME="$work/game/home/xdg" "$work/game/glimora")
game() { timeout 60 "${run[@]}" "$@"; }

# Waits until a game holds the folder's lock (an flock on the folder), 60 s at most: a busy
# machine may take long to start it. The kernel's list of locks is read, not the lock tried:
# a try holds the lock for a moment, and a game starting in that moment would give way.
holds_lock() {
    grep -q ":$(stat -c %i "$data") " /proc/locks
}
# Waits until `command...` succeeds, 60 s at most, else fails with `what`.
wait_until() {
    local what="$1" tries=0
    shift
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 1200 ] || { fail "$what within 60 s"; return 1; }
        sleep 0.05
    done
}
wait_for_lock() { wait_until "no game took the lock" holds_lock; }

# Every file under the installation, names, modes, sizes and bytes, the program excepted.
tree() {
    (cd "$work/game" && find . -path ./glimora -prune -o -print0 | sort -z |
        xargs -0 stat -c '%n %A %s' && find . -type f ! -name glimora -print0 | sort -z |
        xargs -0 -r sha256sum)
}

# The int32 at `offset` of the saved game.
saved_int() { od -An -td4 -j "$1" -N4 "$saved" | tr -d ' '; }

# A player's first game: it starts playing at once, and is ended in the middle of its game by
# a SIGTERM (as a logout would), which closes its window as the close box does.
"${run[@]}" --autoplay --close-after-ms 100000 >"$work/first.out" 2>"$work/first.err" &
first=$!
pids+=("$first")
# Playing, so past its start-up (which took the lock and set up the SIGTERM handling): a
# busy machine may take long to get there, and a signal before it would find no game.
wait_until "the first game did not start" grep -q '^Glimora: playing$' "$work/first.out" || true
holds_lock || fail "the first game plays without the lock"

# Meanwhile a second start of the same player, the configuration now French: it says so in
# the message box's words (Windows-1252), ends, and leaves every file as it was.
printf 'Language=0\nPath=%s/game/data\n' "$work" >"$work/game/glimora.conf"
before=$(tree)
status=0
game --close-after-ms 300 >"$work/second.out" 2>"$work/second.err" || status=$?
[ "$status" = 1 ] || fail "second start ended with status $status"
LC_ALL=C grep -q $'Glimora 1.00 Glimora est d\xe9j\xe0 lanc\xe9\\.' "$work/second.err" ||
    fail "second start did not say the game runs: $(cat "$work/second.err")"
grep -q closing "$work/second.out" && fail "second start opened a game"
[ "$(tree)" = "$before" ] || fail "second start wrote: $(diff <(echo "$before") <(tree))"
kill -0 "$first" 2>/dev/null || fail "the first game ended before its time"

# The first one plays on and saves its game at its exit; the next start resumes it, paused.
kill -TERM "$first"
status=0
wait "$first" || status=$?
[ "$status" = 0 ] || fail "first game ended with status $status: $(cat "$work/first.err")"
[ "$(stat -c %s "$saved")" = 1648 ] || fail "no saved game after the first game"
[ "$(saved_int $((0xD4)))" = 1 ] || fail "the first game is not in the saved game"
[ "$(saved_int $((0x5C4)))" = 1 ] || fail "the saved game is not the one the first game played"
game --close-after-ms 300 >"$work/later.out" 2>"$work/later.err" ||
    fail "later start: $(cat "$work/later.err")"
grep -q 'closing the window on screen 1$' "$work/later.out" ||
    fail "later start did not resume the game: $(cat "$work/later.out")"

# A game killed outright: its lock ends with it, and the next start plays (the game the
# killed one resumed is still there to resume).
"${run[@]}" --close-after-ms 50000 >/dev/null 2>&1 &
killed=$!
pids+=("$killed")
wait_for_lock
kill -KILL "$killed"
wait "$killed" 2>/dev/null || true
game --close-after-ms 300 >"$work/after_kill.out" 2>"$work/after_kill.err" ||
    fail "start after a killed game: $(cat "$work/after_kill.err")"
grep -q 'closing the window on screen 1$' "$work/after_kill.out" ||
    fail "start after a killed game did not play: $(cat "$work/after_kill.out")"

[ "$failures" = 0 ] || exit 1
echo "one game at a time"

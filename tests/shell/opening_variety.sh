#!/usr/bin/env bash
# Twenty real starts of the game must not deal the same opening: the random generator is seeded
# with the tick count, which counts from the system's start. Prints the openings it saw.
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/glimora"

# Each start is an installation of its own (the program, its configuration and its folder):
# one game at a time may use a folder, and a second would give way.
start() {
    local own="$work/$1"
    mkdir -p "$own/data/Glimora"
    ln "$work/glimora" "$own/glimora" 2>/dev/null || cp "$work/glimora" "$own/glimora"
    printf 'Language=1\nPath=%s/data\n' "$own" >"$own/glimora.conf"
    SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy HOME="$own" \
        XDG_DATA_HOME="$own/xdg" timeout 60 "$own/glimora" --print-opening | grep '^opening:'
}
# Four at a time: each start mostly waits for the second element to enter.
for batch in 1 2 3 4 5; do
    for i in 1 2 3 4; do
        (start "$batch.$i" >"$work/opening.$batch.$i") &
        sleep 0.13
    done
    wait
done
cat "$work"/opening.* | sort | uniq -c
distinct=$(cat "$work"/opening.* | sort -u | wc -l)
starts=$(cat "$work"/opening.* | wc -l)
echo "$distinct different openings in $starts starts"
[ "$starts" -eq 20 ] && [ "$distinct" -ge 15 ]

#!/usr/bin/env bash
# Twenty real starts of the game must not deal the same opening: the random generator is seeded
# with the tick count, which counts from the system's start. Prints the openings it saw.
set -euo pipefail
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/glimora"
mkdir -p "$work/data/Glimora"
printf 'Language=1\nPath=%s/data\n' "$work" > "$work/glimora.conf"

start() {
    SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER=dummy HOME="$work" \
        XDG_DATA_HOME="$work/xdg" timeout 60 "$work/glimora" --print-opening | grep '^opening:'
}
# Four at a time: each start mostly waits for the second element to enter. Every start plays on
# its own copy of the files, so that none waits for another's saved game.
for batch in 1 2 3 4 5; do
    for i in 1 2 3 4; do
        (start >"$work/opening.$batch.$i") &
        sleep 0.13
    done
    wait
done
cat "$work"/opening.* | sort | uniq -c
distinct=$(cat "$work"/opening.* | sort -u | wc -l)
starts=$(cat "$work"/opening.* | wc -l)
echo "$distinct different openings in $starts starts"
[ "$starts" -eq 20 ] && [ "$distinct" -ge 15 ]

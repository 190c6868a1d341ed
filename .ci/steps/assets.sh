#!/usr/bin/env bash
# CI: rebuilds the asset generator and checks that it reproduces every committed picture,
# sound, font and icon byte for byte.
set -euo pipefail
cd "$(dirname "$0")/../.."
GLIMORA_ASSETGEN=1 bash tools/deps.sh

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
bash tools/assetgen/regenerate.sh "$out"

status=0
count=0
while IFS= read -r file; do
    rel="${file#"$out"/}"
    count=$((count + 1))
    if [ ! -f "resources/$rel" ]; then
        echo "generated but not committed: resources/$rel"
        status=1
    elif ! cmp -s "$file" "resources/$rel"; then
        echo "differs from the generator's output: resources/$rel"
        status=1
    fi
done < <(find "$out" -type f | sort)
for dir in bitmaps sounds icon; do
    for file in resources/$dir/*; do
        [ -e "$out/$dir/$(basename "$file")" ] || { echo "committed but not generated: $file"; status=1; }
    done
done
[ "$status" = 0 ] && echo "assets: all $count generated files match the committed ones"
exit $status

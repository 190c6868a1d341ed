#!/usr/bin/env bash
# Builds the asset generator and rewrites every generated file under resources/.
# Usage: tools/assetgen/regenerate.sh [output-folder] [--sheet contact-sheet.png]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build-assetgen-tool"
out="${1:-$root/resources}"
shift || true
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if ! log="$(cmake --build "$build" -- -j2 2>&1)"; then
    echo "$log" >&2
    exit 1
fi
mkdir -p "$out/bitmaps" "$out/sounds" "$out/fonts" "$out/icon"
"$build/assetgen" "$out" "$@"

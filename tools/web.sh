#!/usr/bin/env bash
# Builds the web game into build-web/ with Emscripten and serves it on this machine only:
# bash tools/web.sh [--port N] [--build-only]. Open the URL it prints in a browser.
set -euo pipefail
cd "$(dirname "$0")/.."
port=8080
serve=1
while [ $# -gt 0 ]; do
    case "$1" in
    --port) port="${2:?--port needs a number}"; shift 2 ;;
    --port=*) port="${1#--port=}"; shift ;;
    --build-only) serve=0; shift ;;
    *) echo "usage: bash tools/web.sh [--port N] [--build-only]" >&2; exit 2 ;;
    esac
done
GLIMORA_WEB=1 bash tools/deps.sh
emcmake cmake -S . -B build-web -G Ninja -DGLIMORA_BACKEND=web >/dev/null
cmake --build build-web --target glimora glimora_page
[ "$serve" = 1 ] || exit 0
echo "Glimora: http://localhost:$port/glimora.html (?lang=fr for French, ?name=... for the player; Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web

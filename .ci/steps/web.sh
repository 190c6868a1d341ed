#!/usr/bin/env bash
# CI: builds the web game with Emscripten and plays it in headless Chromium against the desktop
# program on the headless backend (tests/web/browser_test.py, run by ctest): the title screen
# pixel for pixel, the page's menus and dialogs used by role and name with the mouse and the
# keyboard in both languages, the game played by keys and by a gamepad given to the page, a
# game, an element placed, a notice, Pause, a reload resuming the
# game from IndexedDB, and the stored files resuming it on the desktop; then on emulated phones
# (touch, portrait and landscape): the picture at the phone's size, the menus and dialogs
# tapped and sized for fingers, a name typed into the high-score table, taps, an offline
# reload through the service worker, and a second build's worker taking over. Every command
# is bounded by a timeout.
set -euo pipefail
cd "$(dirname "$0")/../.."
web=$(realpath -m "${GLIMORA_WEB_BUILD:-build-web}")
native=${GLIMORA_WEB_NATIVE_BUILD:-build-webtest}

say() { echo "-- web: $*"; }

GLIMORA_WEB=1 GLIMORA_TESTS=1 bash tools/deps.sh

say "web build into $web"
timeout 600 emcmake cmake -S . -B "$web" -G Ninja -DGLIMORA_BACKEND=web >/dev/null
timeout 3600 cmake --build "$web" -j2 --target glimora glimora_page

say "desktop reference tool into $native"
timeout 600 cmake -S . -B "$native" -G Ninja -DGLIMORA_TESTS=ON -DGLIMORA_WEB_BUILD="$web" >/dev/null
timeout 1800 cmake --build "$native" -j2 --target glimora_web_reference

say "browser test"
timeout 1000 ctest --test-dir "$native" -R '^web_browser$' --output-on-failure --no-tests=error

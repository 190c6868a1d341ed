#!/usr/bin/env bash
# CI: the player's program under a real window manager (openbox): maximised, tiled and back to
# a free size, the square picture centred with its margin painted, and clicks on the centred
# picture landing on the right squares. Screenshots of a failed run are kept in
# build/window-manager-shots.
set -euo pipefail
cd "$(dirname "$0")/../.."
GLIMORA_TESTS=1 bash tools/deps.sh >/dev/null
GLIMORA_SHOTS="$PWD/build/window-manager-shots" timeout 300 bash tests/shell/window_manager.sh build/glimora

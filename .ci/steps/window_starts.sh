#!/usr/bin/env bash
# CI: 100 starts of the player's program on a live Xvfb, two at a time beside a busy
# processor: each shows its window or ends with a message and a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/../.."
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
missing=()
for p in xdotool xvfb xauth; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
timeout 600 bash tests/shell/window_starts.sh build/glimora 100

#!/usr/bin/env bash
# Installs the Debian 12 packages that building and playing Glimora need (only the missing
# ones), and with GLIMORA_TESTS=1 also the test tools. Runs apt-get as root, or through sudo
# for an ordinary user.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libsdl2-dev zlib1g-dev
)
if [ "${GLIMORA_TESTS:-0}" = 1 ]; then
    # GoogleTest and Google Benchmark; Xvfb and xdotool for the runs of the real window, with
    # openbox, xwininfo and ImageMagick's import for the run under a window manager; clang and
    # its sanitizer runtime for the fuzzers; clang-format for the layout check.
    packages+=(googletest libgtest-dev libgmock-dev libbenchmark-dev
        xvfb xauth xdotool openbox x11-utils imagemagick python3
        clang libclang-rt-14-dev clang-format)
fi
if [ "${GLIMORA_WINDOWS:-0}" = 1 ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine64 wine nsis)
fi
if [ "${GLIMORA_WEB:-0}" = 1 ]; then
    # Emscripten for the web build; Chromium to look at the page without a display, driven by
    # the browser test through Python's websockets.
    packages+=(emscripten chromium python3-websockets)
fi
if [ "${GLIMORA_ASSETGEN:-0}" = 1 ]; then
    packages+=(libfreetype-dev zlib1g-dev fonts-dejavu-core)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"

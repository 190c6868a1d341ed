# Sourced by the measurements of the real window at a 480 and a 1920 client, with the caller's
# arguments (build-dir [before-build-dir...]): re-runs the calling script under an Xvfb large
# enough for both, then sets build, before (the first before-build-dir), befores (all of them),
# menubar (its height) and home (a scratch folder removed at exit).
if [ "${1:-}" != "--inside-xvfb" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (apt-get install xvfb xauth)"; exit 1; }
    command -v xdotool >/dev/null || { echo "xdotool is missing (apt-get install xdotool)"; exit 1; }
    exec xvfb-run -a -s "-screen 0 2100x2100x24" bash "$0" --inside-xvfb "${1:-build}" "${@:2}"
fi
build="$2"
before="${3:-}"
befores=("${@:3}")
menubar=19
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

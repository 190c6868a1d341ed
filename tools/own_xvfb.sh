# Sourced by scripts that need a display of their own: start_own_xvfb WORK SIZE starts an
# Xvfb numbered by the server itself (no race with other X servers for a number), sets
# xvfb_pid and exports DISPLAY; it returns 1, with the server's log on stderr, when no server
# came up within 10 s.
start_own_xvfb() {
    local work="$1" size="$2"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 1 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        cat "$work/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
}

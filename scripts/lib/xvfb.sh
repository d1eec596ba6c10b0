# A private X display for Wine's windows when none is given.

vt_xvfb_start() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        VT_XVFB_PID=$!
        export DISPLAY=":$n"
        local tries
        for tries in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$VT_XVFB_PID" 2>/dev/null
    done
    echo "Xvfb did not start" >&2
    return 1
}

vt_xvfb_stop() {
    [ -n "${VT_XVFB_PID:-}" ] && kill "$VT_XVFB_PID" 2>/dev/null && wait "$VT_XVFB_PID" 2>/dev/null
    VT_XVFB_PID=
}

# A private virtual X display. Sourced; sets TARVIK_DISPLAY and TARVIK_XVFB_PID.

tarvik_start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    TARVIK_XVFB_PID=$!
    local i
    for i in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
        echo "Xvfb did not start" >&2
        rm -f "$fdfile"
        return 1
    fi
    export TARVIK_DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
    rm -f "$fdfile"
}

tarvik_stop_xvfb() {
    [ -n "${TARVIK_XVFB_PID:-}" ] && kill "$TARVIK_XVFB_PID" 2>/dev/null
    TARVIK_XVFB_PID=""
}

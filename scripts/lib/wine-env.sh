# The build's private Wine prefix. Sourced; never touches the user's own prefix.

TARVIK_ROOT=${TARVIK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX="$TARVIK_ROOT/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts, no desktop menu entries, and no debugger holding a crashed program.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"

# Creates the prefix once (safe when several processes ask at the same time).
tarvik_wine_prefix() {
    [ -f "$WINEPREFIX/.tarvik-ready" ] && return 0
    mkdir -p "$TARVIK_ROOT/build"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tarvik-ready" ]; then
            rm -rf "$WINEPREFIX"
            DISPLAY= wineboot -i >/dev/null 2>&1
            # The tests expect Windows 10; single programs may be given another version.
            wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.tarvik-ready"
        fi
    ) 9>"$TARVIK_ROOT/build/.wineprefix.lock"
}

# Starts the Wine server and its services before any test does. A test program that started them
# would lend them its output pipe, and the test runner would wait on that pipe until the server
# ends. `tarvik_wine_start [seconds]` keeps the server that long after its last program.
tarvik_wine_start() {
    wineserver -p"${1:-}" >/dev/null 2>&1 </dev/null
    DISPLAY=${TARVIK_DISPLAY:-} wine cmd /c exit >/dev/null 2>&1 </dev/null
}

tarvik_wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
}

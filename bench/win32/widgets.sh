# Sourced by the timing scripts.

# Which widgets the program finds switched on, as a user would have left them in the registry of
# the build's prefix. "all": every widget; "none": none, the demo strip alone; anything else is
# written as the list of switched-off widgets itself.
tarvik_bench_widgets() {
    local off
    case "$1" in
        all) off="" ;;
        none) off="Start,Clock,App,Spotlight,Volume,Weather,Tray,Clipboard,Timer,Stats,News" ;;
        *) off=$1 ;;
    esac
    wine reg add 'HKCU\Software\Tarvik\Widgets' /v Disabled /d "$off" /f >/dev/null 2>&1
}

# The first process of that name that runs in this build's Wine prefix (other checkouts may run
# their own Wine at the same time).
ours() {
    local p
    for p in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            { echo "$p"; return; }
    done
}

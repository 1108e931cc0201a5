#!/usr/bin/env bash
# Builds Tarvik.exe and starts it under Wine: on $DISPLAY when there is one, otherwise on a
# private virtual display. Leaves a screenshot in build/screenshots/ before it returns.
# Prints only what Tarvik itself writes (its errors.log lines of this run) and where the
# screenshot is; the build's output goes to build/logs/run-build.log and Wine's own messages
# (and the sound library's) to build/logs/run-wine.log.
#
#   scripts/run.sh [Tarvik arguments...]     e.g. scripts/run.sh demo
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine-env.sh
. scripts/lib/xvfb.sh

tarvik_install_packages "${TARVIK_BUILD_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }
mkdir -p build/logs
build_log=build/logs/run-build.log wine_log=build/logs/run-wine.log
if ! { cmake --preset windows && cmake --build --preset windows --target Tarvik; } \
        >"$build_log" 2>&1; then
    tail -n 40 "$build_log"
    echo "The build failed (see $build_log)."
    exit 1
fi

private=0
if [ -z "${DISPLAY:-}" ]; then
    tarvik_start_xvfb || exit 1
    export DISPLAY=$TARVIK_DISPLAY
    private=1
fi
tarvik_wine_prefix >>"$wine_log" 2>&1

# Tarvik's own lines: what it adds to its log beside the program during this run.
log=build/windows/errors.log
seen=$(stat -c %s "$log" 2>/dev/null || echo 0)
print_new_lines() {
    [ -f "$log" ] || return 0
    local size
    size=$(stat -c %s "$log")
    [ "$size" -lt "$seen" ] && seen=0  # the log was started afresh meanwhile
    [ "$size" -gt "$seen" ] && tail -c +"$((seen + 1))" "$log" | tr -d '\r'
    seen=$size
}

echo "== $(date '+%F %T') scripts/run.sh $*" >>"$wine_log"
wine build/windows/Tarvik.exe "$@" >>"$wine_log" 2>&1 </dev/null &
program=$!
# Give the bar time to appear (or the program time to end), then photograph the screen.
for _ in $(seq 40); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
done
mkdir -p build/screenshots
shot="build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
print_new_lines
import -window root "$shot" 2>>"$wine_log" && echo "Screenshot: $shot"

if [ "$private" -eq 1 ]; then
    # Nobody can see a private display: end the program with it.
    tarvik_wine_stop
    tarvik_stop_xvfb
    wait "$program" 2>/dev/null
    print_new_lines
else
    echo "Tarvik is running (Wine process $program); pick Exit from the bar's context menu to end it."
fi
exit 0

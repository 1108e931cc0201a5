#!/usr/bin/env bash
# Builds Tarvik.exe and starts it under Wine: on $DISPLAY when there is one, otherwise on a
# private virtual display. Leaves a screenshot in build/screenshots/ before it returns.
#
#   scripts/run.sh [Tarvik arguments...]     e.g. scripts/run.sh demo
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine-env.sh
. scripts/lib/xvfb.sh

tarvik_install_packages "${TARVIK_BUILD_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }
cmake --preset windows >/dev/null && cmake --build --preset windows --target Tarvik || exit 1

private=0
if [ -z "${DISPLAY:-}" ]; then
    tarvik_start_xvfb || exit 1
    export DISPLAY=$TARVIK_DISPLAY
    private=1
fi
tarvik_wine_prefix

wine build/windows/Tarvik.exe "$@" &
program=$!
# Give the bar time to appear (or the program time to end), then photograph the screen.
for _ in $(seq 40); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
done
mkdir -p build/screenshots
shot="build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot" && echo "Screenshot: $shot"

if [ "$private" -eq 1 ]; then
    # Nobody can see a private display: end the program with it.
    tarvik_wine_stop
    tarvik_stop_xvfb
    wait "$program" 2>/dev/null
else
    echo "Tarvik is running (Wine process $program); pick Exit from the bar's context menu to end it."
fi
exit 0

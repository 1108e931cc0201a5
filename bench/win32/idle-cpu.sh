#!/usr/bin/env bash
# Idle cost of Tarvik.exe under Wine: the CPU time the running program takes over a window of
# seconds, as a share of one core, with the demo strip and nothing moving on the screen.
#
#   scripts/with-display.sh bench/win32/idle-cpu.sh [folder with Tarvik.exe] [seconds] [widgets]
#
# widgets: "all" (every widget on, the default) or "none" (the demo strip alone), see widgets.sh.
# The program settles for 10 s first; its CPU time (user + system, from /proc) is read before and
# after the window. The Wine server's own time is printed beside it.
set -u
folder=${1:-build/windows}
seconds=${2:-60}
widgets=${3:-all}
[ -f "$folder/Tarvik.exe" ] || { echo "no $folder/Tarvik.exe" >&2; exit 2; }
[ -n "${TARVIK_DISPLAY:-}" ] || { echo "run through scripts/with-display.sh" >&2; exit 2; }
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/widgets.sh"
tarvik_bench_widgets "$widgets"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

(cd "$folder" && DISPLAY=$TARVIK_DISPLAY TARVIK_DEMO=1 wine Tarvik.exe >/dev/null 2>&1 &)
pid=""
for _ in $(seq 100); do
    pid=$(ours 'Tarvik\.exe')
    [ -n "$pid" ] && break
    sleep 0.2
done
[ -n "$pid" ] || { echo "Tarvik.exe did not start" >&2; exit 1; }
sleep 10
server=$(ours '^wineserver|/wineserver')
hz=$(getconf CLK_TCK)
before=$(ticks "$pid")
server_before=$(ticks "$server")
sleep "$seconds"
after=$(ticks "$pid")
server_after=$(ticks "$server")
kill "$pid" 2>/dev/null
awk -v a="$before" -v b="$after" -v sa="$server_before" -v sb="$server_after" -v hz="$hz" \
    -v s="$seconds" 'BEGIN {
        printf "Tarvik.exe: %.2f s of CPU in %d s = %.2f%% of a core\n", (b - a) / hz, s, 100 * (b - a) / hz / s
        printf "wineserver: %.2f s of CPU in %d s = %.2f%% of a core\n", (sb - sa) / hz, s, 100 * (sb - sa) / hz / s
    }'

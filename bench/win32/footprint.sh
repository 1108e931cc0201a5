#!/usr/bin/env bash
# Start-up and memory of a Windows program under Wine, against the smallest window program in the
# same prefix: the time from launching it to its window on the screen (mapped on the X display),
# then, after it settled, its private memory (Private_Dirty) and resident set (Rss) from
# /proc/PID/smaps_rollup.
#
#   scripts/with-display.sh bench/win32/footprint.sh [folder with Tarvik.exe] [widgets] [runs]
#
# widgets: "all" (every widget on, the default) or "none" (the demo strip alone); the choice is
# written to the prefix's registry as a user would leave it. MinimalWindow.exe is taken from
# build/windows (cmake --build --preset windows --target MinimalWindow). With BREAKDOWN=1 each
# program's private memory is also listed by mapping (the DLLs, and the anonymous memory).
set -u
folder=${1:-build/windows}
widgets=${2:-all}
runs=${3:-3}
minimal=${MINIMAL_WINDOW:-build/windows/MinimalWindow.exe}
[ -f "$folder/Tarvik.exe" ] || { echo "no $folder/Tarvik.exe" >&2; exit 2; }
[ -f "$minimal" ] || { echo "no $minimal" >&2; exit 2; }
[ -n "${TARVIK_DISPLAY:-}" ] || { echo "run through scripts/with-display.sh" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/widgets.sh"
tarvik_bench_widgets "$widgets"

kib() { awk -v k="$2" '$1 == k":" {print $2}' "/proc/$1/smaps_rollup"; }
# Private_Dirty by mapping (a DLL's file name, or "[anonymous]" for heaps and stacks), largest first.
breakdown() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / {name = ($6 == "" ? "[anonymous]" : $6); sub(/.*\//, "", name)}
         $1 == "Private_Dirty:" {kb[name] += $2}
         END {for (n in kb) if (kb[n] >= 64) printf "%8.1f MB  %s\n", kb[n] / 1024, n}' \
        "/proc/$1/smaps" | sort -rn | head -n 25
}

# One launch: prints "seconds-to-window private-KiB rss-KiB".
measure() {
    local dir=$1 exe=$2 title=$3 pid="" start now
    start=$(date +%s.%N)
    (cd "$dir" && DISPLAY=$TARVIK_DISPLAY TARVIK_DEMO=1 wine "$exe" >/dev/null 2>&1 &)
    for _ in $(seq 3000); do
        DISPLAY=$TARVIK_DISPLAY xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 &&
            break
        sleep 0.01
    done
    now=$(date +%s.%N)
    for _ in $(seq 100); do
        pid=$(ours "$(basename "$exe" | sed 's/\./\\./')")
        [ -n "$pid" ] && break
        sleep 0.1
    done
    sleep 15
    [ -n "${BREAKDOWN:-}" ] && breakdown "$pid" >&2
    echo "$(awk -v a="$start" -v b="$now" 'BEGIN {printf "%.2f", b - a}')" \
        "$(kib "$pid" Private_Dirty)" "$(kib "$pid" Rss)"
    # Closed as a user would (a killed program slows the next start under Wine).
    wine taskkill /im "$exe" >/dev/null 2>&1
    for _ in $(seq 100); do
        [ -d "/proc/$pid" ] || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    sleep 1
}

for run in $(seq "$runs"); do
    read -r t1 p1 r1 < <(measure "$(dirname "$minimal")" "$(basename "$minimal")" Minimal)
    read -r t2 p2 r2 < <(measure "$folder" Tarvik.exe Tarvik)
    awk -v run="$run" -v t1="$t1" -v p1="$p1" -v r1="$r1" -v t2="$t2" -v p2="$p2" -v r2="$r2" \
        'BEGIN {
            printf "run %d  minimal window: %.2f s to its window, private %.1f MB, RSS %.1f MB\n", run, t1, p1 / 1024, r1 / 1024
            printf "run %d  Tarvik.exe:     %.2f s to its first frame, private %.1f MB, RSS %.1f MB (+%.1f MB private, +%.1f MB RSS)\n", run, t2, p2 / 1024, r2 / 1024, (p2 - p1) / 1024, (r2 - r1) / 1024
        }'
done

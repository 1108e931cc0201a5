#!/usr/bin/env bash
# Builds both presets and runs every test: native (with sanitizers), Windows under Wine,
# end-to-end, the portable zip started from a fresh folder, a short run of each fuzz target, and
# the formatting check. The Windows build comes first; the native stage and the fuzz targets run
# beside it and beside the tests under Wine at low priority, and are reported after them; each
# stage keeps its own logs in build/logs/.
# Prints one summary line "N passed, N failed" and exits non-zero on any failure.
#
#   scripts/test.sh               everything, fuzz targets 10 s each
#   FUZZ_SECONDS=600 scripts/test.sh   longer fuzz runs
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh
. scripts/lib/wine-env.sh
. scripts/lib/xvfb.sh

FUZZ_SECONDS=${FUZZ_SECONDS:-10}
passed=0
failed=0
failures=()

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); failures+=("$1"); }

# Adds the counts of a ctest log ("NN% tests passed, F tests failed out of T").
count_ctest() {
    local log=$1 name=$2 line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        fail "$name (no tests ran)"
        return
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    [ "$bad" -eq 0 ] || failures+=("$name: $bad failed (see $log)")
}

stage() { echo; echo "== $*"; }

stage "Installing what is missing"
tarvik_install_packages "${TARVIK_BUILD_PACKAGES[@]}" "${TARVIK_TEST_PACKAGES[@]}" ||
    { echo "package installation failed"; exit 1; }
mkdir -p build/logs

stage "Formatting"
mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- \
    'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'fuzz/*.cpp' 'bench/*.cpp' 'bench/*.h' | sort -u)
existing=()
for f in "${sources[@]}"; do [ -f "$f" ] && existing+=("$f"); done
if [ ${#existing[@]} -eq 0 ] || clang-format --dry-run --Werror "${existing[@]}" \
        >build/logs/format.log 2>&1; then
    pass
else
    cat build/logs/format.log | head -n 40
    fail "formatting (clang-format --dry-run --Werror; see build/logs/format.log)"
fi

# The Windows build is the long pole (its tests under Wine follow it), so it runs first at normal
# priority. The native stage and the fuzz targets run beside it at the lowest priority, and then
# beside the tests under Wine, which mostly wait on the screen; their results are reported after.
rm -f build/logs/windows-build.status build/logs/native-build.status build/logs/fuzz-results
(
    tarvik_wine_prefix >build/logs/wine-prefix.log 2>&1
    if cmake --preset windows >build/logs/windows-configure.log 2>&1 &&
        cmake --build --preset windows >build/logs/windows-build.log 2>&1; then
        echo 0 >build/logs/windows-build.status
    else
        echo 1 >build/logs/windows-build.status
    fi
) </dev/null &
windows_build=$!

native_stage() {
    if cmake --preset native >build/logs/native-configure.log 2>&1 &&
        cmake --build --preset native >build/logs/native-build.log 2>&1; then
        echo 0 >build/logs/native-build.status
        ctest --preset native -j2 >build/logs/native-tests.log 2>&1
    else
        echo 1 >build/logs/native-build.status
    fi
}

fuzz_stage() {
    if ! cmake --preset fuzz >build/logs/fuzz-configure.log 2>&1 ||
        ! cmake --build --preset fuzz >build/logs/fuzz-build.log 2>&1; then
        echo "build" >build/logs/fuzz-results
        return
    fi
    # Two at a time (each uses one core).
    run_fuzz() {
        local name=$1 corpus="build/fuzz/corpus/$1" seeds=()
        mkdir -p "$corpus"
        [ -d "fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
        (cd build/fuzz && "./$name" -max_total_time="$FUZZ_SECONDS" -timeout=5 \
            -rss_limit_mb=2048 "$root/$corpus" "${seeds[@]}") >"build/logs/fuzz-$name.log" 2>&1
    }
    local names=() i j pair pids name
    for source in fuzz/*.cpp; do [ -f "$source" ] && names+=("$(basename "$source" .cpp)"); done
    for ((i = 0; i < ${#names[@]}; i += 2)); do
        pair=("${names[@]:i:2}")
        pids=()
        for name in "${pair[@]}"; do run_fuzz "$name" & pids+=($!); done
        for j in "${!pair[@]}"; do
            if wait "${pids[j]}"; then echo "ok ${pair[j]}"; else echo "fail ${pair[j]}"; fi
        done
    done >build/logs/fuzz-results
}

(renice -n 19 -p "$BASHPID" >/dev/null; native_stage; fuzz_stage) </dev/null &
background_job=$!

stage "Windows build, Windows tests and end-to-end tests under Wine"
wait "$windows_build"
if [ "$(cat build/logs/windows-build.status 2>/dev/null)" = 0 ]; then
    if tarvik_start_xvfb; then
        tarvik_wine_prefix
        tarvik_wine_start
        # One at a time: these tests share one screen, one pointer and one foreground window.
        ctest --preset windows >build/logs/windows-tests.log 2>&1
        tail -n 15 build/logs/windows-tests.log
        count_ctest build/logs/windows-tests.log "Windows tests"
        # The portable zip, made from this build, unpacked and started as a Windows user would.
        if scripts/check-package.sh >build/logs/package-check.log 2>&1; then
            tail -n 1 build/logs/package-check.log
            pass
        else
            cat build/logs/package-check.log
            fail "package (see build/logs/package-check.log)"
        fi
        tarvik_wine_stop
        tarvik_stop_xvfb
    else
        fail "private display"
    fi
else
    tail -n 40 build/logs/windows-configure.log build/logs/windows-build.log
    fail "Windows build"
fi

wait "$background_job"
stage "Native build and tests"
if [ "$(cat build/logs/native-build.status 2>/dev/null)" = 0 ]; then
    tail -n 15 build/logs/native-tests.log
    count_ctest build/logs/native-tests.log "native tests"
else
    tail -n 40 build/logs/native-configure.log build/logs/native-build.log
    fail "native build"
fi

stage "Fuzz targets (${FUZZ_SECONDS} s each)"
if [ "$(cat build/logs/fuzz-results 2>/dev/null)" = build ]; then
    tail -n 40 build/logs/fuzz-configure.log build/logs/fuzz-build.log
    fail "fuzz build"
elif [ ! -s build/logs/fuzz-results ]; then
    fail "fuzz targets (no results; see build/logs/fuzz-*.log)"
else
    while read -r result name; do
        if [ "$result" = ok ]; then
            echo "fuzz $name: ok"
            pass
        else
            tail -n 30 "build/logs/fuzz-$name.log"
            fail "fuzz $name (see build/logs/fuzz-$name.log)"
        fi
    done <build/logs/fuzz-results
fi

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

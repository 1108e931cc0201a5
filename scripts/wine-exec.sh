#!/usr/bin/env bash
# Runs one Windows program under Wine, in the build's private prefix and on the private display.
# This is the test runner's emulator; scripts/test.sh and scripts/with-display.sh set the display.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/lib/wine-env.sh"
if [ -z "${TARVIK_DISPLAY:-}" ]; then
    echo "wine-exec: no private display; run through scripts/test.sh or scripts/with-display.sh" >&2
    exit 2
fi
export DISPLAY=$TARVIK_DISPLAY
tarvik_wine_prefix
# The output goes through files: Wine services that a program starts on demand (the COM
# server, for one) inherit its output, and a pipe would stay open as long as they live.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err" </dev/null
status=$?
# Console output of Windows programs ends lines with CR LF; the test runner wants LF.
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2
exit $status

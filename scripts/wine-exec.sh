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
set -o pipefail
# Console output of Windows programs ends lines with CR LF; the test runner wants LF.
wine "$@" | tr -d '\r'

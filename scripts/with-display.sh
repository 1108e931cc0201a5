#!/usr/bin/env bash
# Runs a command with a private display and Wine prefix, for example:
#   scripts/with-display.sh ctest --preset windows -R Trace
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/lib/wine-env.sh"
. "$root/scripts/lib/xvfb.sh"
tarvik_start_xvfb || exit 1
trap 'tarvik_stop_xvfb' EXIT
tarvik_wine_prefix
tarvik_wine_start 30
cd "$root" && "$@"

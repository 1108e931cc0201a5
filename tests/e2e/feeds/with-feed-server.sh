#!/usr/bin/env bash
# Runs a command (the feed tests under Wine) beside serve.py. The test finds the server through
# TARVIK_TEST_FEEDS (its address) and TARVIK_TEST_FEEDS_DIR (its work folder as a Windows path).
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
python3 "$here/serve.py" "$work" &
server=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.1; done
export TARVIK_TEST_FEEDS="http://127.0.0.1:$(cat "$work/port")"
export TARVIK_TEST_FEEDS_DIR="Z:${work//\//\\}"
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$work"
exit $status

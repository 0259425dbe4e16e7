#!/usr/bin/env bash
# Store and forward over a long run (tests/record/server_away_test.cpp): 2,000 readings at
# 20 a second go through rlc-record into a PostgreSQL server of the test's own; the server is
# stopped twice for 30 s while the readings keep coming, and the recorder is killed with
# SIGKILL once and started again. It passes when every reading the local database committed
# is on the server exactly once and nothing waits. It takes about two and a half minutes,
# so the suite skips it and CI does not run it: run it after changing the forwarder, the
# local store or the recorder's end.
#
#   scripts/server-away-test.sh [--build-dir DIR]
#
# --build-dir    the build to test (default: build/debug-sanitize, built here first when it
#                is missing)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build_dir=$root/build/debug-sanitize
while [[ $# -gt 0 ]]; do
  case $1 in
    --build-dir) build_dir=$(cd "${2:?}" && pwd); shift 2 ;;
    *) sed -n '10,13p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
  esac
done

if [[ ! -f $build_dir/CTestTestfile.cmake ]]; then
  "$root/scripts/build.sh" debug-sanitize
fi
RLC_SERVER_AWAY_TEST=1 ctest --test-dir "$build_dir" --output-on-failure -R '^ServerAwayTest\.'

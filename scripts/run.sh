#!/usr/bin/env bash
# Fresh machine to a running program: install what is missing, build, and start the
# logger. Without a dongle the simulated meter is started and the logger pointed at it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
bin="$root/build/release/bin"

sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [ -z "${RLC_DONGLE_PORT:-}" ] && ! "$bin/find-dongle" >/dev/null 2>&1; then
  sim_out=$(mktemp)
  "$bin/rlc-sim" --demo >"$sim_out" &
  sim_pid=$!
  port=""
  for _ in $(seq 50); do
    port=$(head -n 1 "$sim_out")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || { echo "The simulated meter did not start" >&2; exit 1; }
  export RLC_DONGLE_PORT="$port"
  echo "No dongle found: using the simulated meter on $port"
fi

cd "$bin"
"$bin/rlc-logger"

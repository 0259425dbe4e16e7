#!/usr/bin/env bash
# Runs the whole sanitizer suite N times while other processes keep every core busy, and
# reports each test that failed even once, with the runs it failed in and where its output
# was kept. A test that passes alone but fails here depends on timing: it waits for a fixed
# time, takes a deadline for a condition, or shares a folder or a port with another test.
#
#   scripts/stress-tests.sh N [--load K] [--build-dir DIR]
#
# --load K       busy processes beside the suite (default: one per core)
# --build-dir    the build to test (default: build/debug-sanitize, built here first when it
#                is missing)
#
# Each run's output and the log of every failed test go to DIR/stress/run-K/. The exit code
# is 0 when no test ever failed, 1 otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

usage() {
  sed -n '7,9p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

[[ $# -ge 1 && $1 =~ ^[1-9][0-9]*$ ]] || usage
runs=$1
shift
load=$(nproc)
build_dir=$root/build/debug-sanitize
while [[ $# -gt 0 ]]; do
  case $1 in
    --load) load=${2:?}; shift 2 ;;
    --build-dir) build_dir=$(cd "${2:?}" && pwd); shift 2 ;;
    *) usage ;;
  esac
done

if [[ ! -f $build_dir/CTestTestfile.cmake ]]; then
  "$root/scripts/build.sh" debug-sanitize
fi

# The busy processes: plain loops at the suite's own priority, ended however this ends.
busy=()
stop_load() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_load EXIT
for ((i = 0; i < load; ++i)); do
  (while :; do :; done) &
  busy+=("$!")
done

stress_dir=$build_dir/stress
rm -rf "$stress_dir"
mkdir -p "$stress_dir"
declare -A failed_in=()
for ((run = 1; run <= runs; ++run)); do
  run_dir=$stress_dir/run-$run
  mkdir -p "$run_dir"
  started=$SECONDS
  # CTest's own exit code only says that something failed; the list below says what.
  ctest --test-dir "$build_dir" -j"$(nproc)" --timeout 300 --output-on-failure \
    --output-junit "$run_dir/junit.xml" >"$run_dir/ctest.log" 2>&1 || true
  failures=()
  if [[ -f $build_dir/Testing/Temporary/LastTestsFailed.log ]]; then
    cp "$build_dir/Testing/Temporary/LastTestsFailed.log" "$run_dir/failed.log"
    # Lines are "<number>:<test name>". A parameterised test's name ends in its parameter's
    # bytes, which hold addresses that change from run to run: the name is kept without it.
    mapfile -t failures < <(cut -d: -f2- "$run_dir/failed.log" | sed 's/  # GetParam() = .*//')
  fi
  summary=$(grep -E '^[0-9]+% tests passed' "$run_dir/ctest.log" || echo "no summary: see $run_dir/ctest.log")
  echo "run $run of $runs, $((SECONDS - started)) s, $load busy processes: $summary"
  for test in "${failures[@]}"; do
    echo "  failed: $test"
    failed_in[$test]+=" $run"
  done
  rm -f "$build_dir/Testing/Temporary/LastTestsFailed.log"
done

if [[ ${#failed_in[@]} -eq 0 ]]; then
  echo "no test failed in $runs runs"
  exit 0
fi
echo "tests that failed (the runs they failed in; output in $stress_dir/run-K/ctest.log):"
for test in "${!failed_in[@]}"; do
  echo "  $test:${failed_in[$test]}"
done | sort
exit 1

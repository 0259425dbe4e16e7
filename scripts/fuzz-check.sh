#!/usr/bin/env bash
# What the test command runs after the test suite: builds the fuzz targets (the fuzz preset,
# clang's libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer) and runs each over
# its seed corpus and its regressions, then over a bounded number of new inputs, two targets
# at a time. It fails when a target crashes, hangs, leaks or finds one of its properties
# broken: the input is kept in build/fuzz/findings/ and the target's log is shown.
#
#   scripts/fuzz-check.sh [runs] [seconds]
#
# runs     inputs each target runs at most, its corpus included (default 30000)
# seconds  the time each target may take at most (default 15); nine targets two at a time
#          take about a minute and a quarter
set -euo pipefail
source "$(dirname "$0")/fuzz-common.sh"

runs=${1:-30000}
seconds=${2:-15}
build_fuzz_targets
target_list=$(fuzz_targets)
mapfile -t targets <<<"$target_list"
logs=$fuzz_root/build/fuzz/check
rm -rf "$logs"
mkdir -p "$logs" "$fuzz_findings"

# New inputs go to a folder of the run's own, so the corpus in the tree stays as it is.
check_target() {
  local name=$1
  local fresh=$logs/$name.new
  mkdir -p "$fresh"
  mapfile -t options < <(fuzz_options "$name")
  mapfile -t corpora < <(fuzz_corpora "$name")
  "$fuzz_bin/${name}_fuzzer" "${options[@]}" "-runs=$runs" "-max_total_time=$seconds" \
    "$fresh" "${corpora[@]}" >"$logs/$name.log" 2>&1
}

failed=()
pending=("${targets[@]}")
while [[ ${#pending[@]} -gt 0 ]]; do
  batch=("${pending[@]:0:2}")
  pending=("${pending[@]:2}")
  pids=()
  for name in "${batch[@]}"; do
    check_target "$name" &
    pids+=("$!")
  done
  for i in "${!batch[@]}"; do
    name=${batch[$i]}
    if wait "${pids[$i]}"; then
      read -r executed cov < <(fuzz_figures "$logs/$name.log")
      printf '%-22s %8s inputs  cov %5s  ok\n' "$name" "$executed" "$cov"
    else
      failed+=("$name")
      printf '%-22s FAILED\n' "$name"
    fi
  done
done

for name in "${failed[@]}"; do
  echo "---- $name: $logs/$name.log" >&2
  grep -v '^#\|^\s*$\|^INFO:\|^\[' "$logs/$name.log" | head -n 60 >&2
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz targets failed: ${failed[*]}; the inputs are in $fuzz_findings/" >&2
  exit 1
fi
echo "all ${#targets[@]} fuzz targets ran their corpora and new inputs without a finding"

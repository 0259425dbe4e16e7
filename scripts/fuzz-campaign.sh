#!/usr/bin/env bash
# A longer fuzzing campaign than the test command's: each target runs for the given minutes
# of CPU from its seed corpus and regressions, at low priority, one target at a time (or
# --jobs at once). Afterwards each corpus is minimised with libFuzzer's merge: the inputs of
# the old corpus and of the campaign that reach coverage nothing else reaches make the new
# fuzz/corpus/<target>/ (inputs kept from the old one keep their names). Commit it.
#
#   scripts/fuzz-campaign.sh [minutes-per-target] [--jobs N] [--no-merge] [target...]
#
# minutes-per-target  minutes of CPU, default 10
# --jobs N            targets at once (default 1; the machine's other work shares the cores)
# --no-merge          leave the corpora in the tree as they are
# target...           only these targets (names as in fuzz/corpus/), default all
#
# A target that crashes, hangs, leaks or finds a property broken stops; its input is in
# build/fuzz/findings/. Fix the fault, put the input into fuzz/regressions/<target>/ and run
# again. The summary gives each target's inputs run, the CPU it took and the edges reached
# (libFuzzer's cov). The exit code is 1 when anything was found.
set -euo pipefail
source "$(dirname "$0")/fuzz-common.sh"

usage() {
  sed -n '8,13p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

minutes=10
jobs=1
# A target stops after this many times its CPU minutes on the clock, however busy the machine.
wall_per_cpu=30
# What libFuzzer exits with when interrupted: clang-14's knows no option to change it, so a
# target the script stopped at the end of its minutes would otherwise count as a finding.
interrupted_exit=72
merge=1
chosen=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --jobs) jobs=${2:?}; shift 2 ;;
    --no-merge) merge=0; shift ;;
    [1-9]*) minutes=$1; shift ;;
    [a-z]*) chosen+=("$1"); shift ;;
    *) usage ;;
  esac
done

build_fuzz_targets
target_list=$(fuzz_targets)
mapfile -t targets <<<"$target_list"
if [[ ${#chosen[@]} -gt 0 ]]; then
  for name in "${chosen[@]}"; do
    if [[ " ${targets[*]} " != *" $name "* ]]; then
      echo "no fuzz target $name; the targets are: ${targets[*]}" >&2
      exit 2
    fi
  done
  targets=("${chosen[@]}")
fi
work=$fuzz_root/build/fuzz/campaign
mkdir -p "$work" "$fuzz_findings"

# Runs one target until it has had the minutes of CPU (the machine's other work may make
# that take longer on the clock); its log ends with the CPU seconds it took.
campaign_target() {
  local name=$1
  local log=$work/$name.log
  mkdir -p "$work/$name"
  mapfile -t options < <(fuzz_options "$name")
  mapfile -t corpora < <(fuzz_corpora "$name")
  nice -n 10 "$fuzz_bin/${name}_fuzzer" "${options[@]}" \
    "-max_total_time=$((minutes * 60 * wall_per_cpu))" "$work/$name" "${corpora[@]}" >"$log" 2>&1 &
  local pid=$! ticks cpu=0 status=0 stopped=0
  ticks=$(getconf CLK_TCK)
  while kill -0 "$pid" 2>/dev/null; do
    cpu=$(awk -v ticks="$ticks" '{ print int(($14 + $15) / ticks) }' "/proc/$pid/stat" 2>/dev/null || echo "$cpu")
    if ((cpu >= minutes * 60)); then
      kill -INT "$pid" 2>/dev/null || true
      stopped=1
    fi
    sleep 5
  done
  wait "$pid" || status=$?
  if ((stopped && status == interrupted_exit)); then status=0; fi
  echo "cpu_seconds: $cpu" >>"$log"
  return "$status"
}

# The corpus in the tree becomes the merge of itself and the campaign's finds; an input
# that was there already keeps its name.
minimise_corpus() {
  local name=$1
  local corpus=$fuzz_root/fuzz/corpus/$name
  local merged=$work/$name.merged
  rm -rf "$merged"
  mkdir -p "$merged"
  nice -n 10 "$fuzz_bin/${name}_fuzzer" -merge=1 "$merged" "$corpus" "$work/$name" >"$work/$name.merge.log" 2>&1
  local file sum
  for file in "$corpus"/*; do
    sum=$(sha1sum "$file" | cut -d' ' -f1)
    [[ -f $merged/$sum ]] && mv "$merged/$sum" "$merged/$(basename "$file")"
  done
  rm -rf "$corpus"
  mv "$merged" "$corpus"
}

found=()
running=()
names=()
finish_one() {
  local name=${names[0]}
  if ! wait "${running[0]}"; then
    found+=("$name")
  fi
  running=("${running[@]:1}")
  names=("${names[@]:1}")
}
for name in "${targets[@]}"; do
  echo "fuzzing $name for $minutes minutes"
  campaign_target "$name" &
  running+=("$!")
  names+=("$name")
  if [[ ${#running[@]} -ge $jobs ]]; then finish_one; fi
done
while [[ ${#running[@]} -gt 0 ]]; do finish_one; done

printf '\n%-22s %12s %10s %6s %s\n' target inputs cpu-min cov result
for name in "${targets[@]}"; do
  read -r executed cov < <(fuzz_figures "$work/$name.log")
  cpu=$(awk '/^cpu_seconds:/ { printf "%.1f", $2 / 60 }' "$work/$name.log")
  result=clean
  if [[ " ${found[*]} " == *" $name "* ]]; then result="FOUND: see $work/$name.log"; fi
  printf '%-22s %12s %10s %6s %s\n' "$name" "$executed" "${cpu:-?}" "$cov" "$result"
done

if [[ $merge -eq 1 ]]; then
  for name in "${targets[@]}"; do
    if [[ " ${found[*]} " != *" $name "* ]]; then minimise_corpus "$name"; fi
  done
  echo "corpora minimised into fuzz/corpus/; review and commit them"
fi
if [[ ${#found[@]} -gt 0 ]]; then
  echo "found in: ${found[*]}; the inputs are in $fuzz_findings/" >&2
  exit 1
fi

# Shared by fuzz-check.sh and fuzz-campaign.sh (sourced, not run): builds the fuzz preset and
# names its targets. A target is build/fuzz/bin/<name>_fuzzer; its seed corpus is
# fuzz/corpus/<name>/, the inputs that once broke it are fuzz/regressions/<name>/, and its
# dictionary, where its format has words, is fuzz/<name>.dict.

fuzz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_bin=$fuzz_root/build/fuzz/bin
fuzz_findings=$fuzz_root/build/fuzz/findings

# Builds the targets with clang and proves that the set-up installs what the build read.
build_fuzz_targets() {
  "$fuzz_root/scripts/install-deps.sh" --tests
  "$fuzz_root/scripts/build.sh" fuzz
  python3 "$fuzz_root/scripts/check-build-deps.py" "$fuzz_root/build/fuzz"
}

# The names of the built targets; fails naming a target that has no seed corpus.
fuzz_targets() {
  local binary name
  for binary in "$fuzz_bin"/*_fuzzer; do
    name=$(basename "$binary" _fuzzer)
    if [[ ! -d $fuzz_root/fuzz/corpus/$name ]]; then
      echo "the fuzz target $name has no seed corpus: add fuzz/corpus/$name/" >&2
      return 1
    fi
    echo "$name"
  done
}

# The options every run of a target takes: its dictionary, where a finding is kept, and a
# hang that long is a finding.
fuzz_options() {
  local name=$1
  local options=(-timeout=10 -print_final_stats=1 "-artifact_prefix=$fuzz_findings/$name-")
  if [[ -f $fuzz_root/fuzz/$name.dict ]]; then options+=("-dict=$fuzz_root/fuzz/$name.dict"); fi
  printf '%s\n' "${options[@]}"
}

# The corpus folders a target reads: its seeds and its regressions (those may be missing).
fuzz_corpora() {
  local name=$1
  echo "$fuzz_root/fuzz/corpus/$name"
  if [[ -d $fuzz_root/fuzz/regressions/$name ]]; then echo "$fuzz_root/fuzz/regressions/$name"; fi
}

# "executions coverage" from a target's log: libFuzzer's count of inputs run and the edges
# its inputs reached (cov:).
fuzz_figures() {
  local log=$1
  local runs cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  echo "${runs:-?} ${cov:-?}"
}

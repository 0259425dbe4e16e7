#!/usr/bin/env bash
# Fresh machine to green tests: install what is missing, check the code's formatting, build
# everything with assertions and the sanitizers, prove the set-up installs every package the
# build read, run every test through CTest, then run every fuzz target over its corpus and a
# bounded number of new inputs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
"$root/scripts/check-format.sh"
"$root/scripts/build.sh" debug-sanitize
python3 "$root/scripts/check-build-deps.py" "$root/build/debug-sanitize"
cd "$root"
ctest --preset debug-sanitize -j"$(nproc)"
"$root/scripts/fuzz-check.sh"

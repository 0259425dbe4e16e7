#!/usr/bin/env bash
# Configures and builds one preset of CMakePresets.json (default: release, the optimised
# program) into build/<preset>.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-release}
cd "$root"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"

#!/usr/bin/env bash
# Fresh machine to green tests: install what is missing, build, run every test through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
ctest --output-on-failure -j"$(nproc)" --timeout 300

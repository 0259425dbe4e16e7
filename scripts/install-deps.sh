#!/usr/bin/env bash
# Installs the Debian packages this project builds, runs and tests with.
# Idempotent: when everything is present it prints nothing and touches nothing.
# With --tests it also installs what only the test command uses. With --list it only prints
# the whole list (scripts/check-build-deps.py reads it).
set -euo pipefail

# The last line is the compiler of the fuzz targets: clang with its own headers, libFuzzer,
# and the runtimes and ignore lists of the sanitizers, which clang alone only recommends.
# The list holds package names alone, one group a line, so that tools can read it plainly.
packages=(
  cmake g++ make pkg-config dpkg-dev file
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev
  libxlsxwriter-dev zlib1g-dev libsqlite3-dev libpq-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-crosextra-carlito
  xvfb xauth x11-apps imagemagick unzip xdg-utils python3
  python3-openpyxl
  clang-14 libclang-common-14-dev libclang-rt-14-dev
)
# The formatting check of the test command, the PostgreSQL server the database tests and
# benchmarks start in folders of their own (the package's own cluster is left alone), the
# browser and the PDF rasteriser the lot report's tests render it with, and numpy, which the
# report's benchmark sets beside it.
test_packages=(clang-format postgresql chromium poppler-utils python3-numpy)

case "${1:-}" in
  --list)
    printf '%s\n' "${packages[@]}" "${test_packages[@]}"
    exit 0
    ;;
  --tests) packages+=("${test_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

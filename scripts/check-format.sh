#!/usr/bin/env bash
# Fails, naming each file, when a C++ file of the project is not laid out as .clang-format
# says; with --fix it lays them out in place instead. The test command runs it, so the
# tree stays formatted once it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mapfile -t files < <(find . -path './build*' -prune -o -path './.git' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi

unformatted=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("${file#./}")
done
if [[ ${#unformatted[@]} -gt 0 ]]; then
  echo "Not formatted as .clang-format says (scripts/check-format.sh --fix formats them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "all ${#files[@]} C++ files are formatted"

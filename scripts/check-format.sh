#!/usr/bin/env bash
# Checks that every C and C++ source of the tree is formatted as the
# checked-in .clang-format says, and names those that are not. The test
# command runs it as one test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.c' '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -path './build-*' -prune -o \
    -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi
[ ${#files[@]} -gt 0 ] || { echo "no sources found"; exit 1; }

# clang-format names each file that it would change in a warning of the form
# "FILE:LINE:COLUMN: warning: code should be clang-formatted".
report=$(clang-format --style=file --dry-run "${files[@]}" 2>&1) || {
  echo "$report"
  exit 1
}
mapfile -t unformatted < <(grep -E '^[^ :]+:[0-9]+:[0-9]+: (warning|error):' <<<"$report" |
  cut -d: -f1 | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}"
  echo "${#unformatted[@]} of ${#files[@]} files differ from .clang-format (clang-format -i FILE...)"
  exit 1
fi
echo "all ${#files[@]} files formatted"

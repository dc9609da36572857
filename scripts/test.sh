#!/usr/bin/env bash
# Builds both trees and runs every test: the host tests (ASan + UBSan), the
# short fuzz runs, and the Windows tests under Wine on a virtual X display.
# Ends with one line "N passed, N failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
source "$root/scripts/build-trees.sh"

build_host
build_windows

# A display for Wine: the user's, or an Xvfb of our own.
xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
  xvfb_pid=$!
  read -r -t 20 display_number <&3
  export DISPLAY=":$display_number"
fi
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

passed=0 failed=0
run_ctest() { # build folder
  local out rc=0
  out=$(mktemp)
  ctest --test-dir "$1" --output-on-failure -j"$(nproc)" 2>&1 | tee "$out" || rc=$?
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -n1 || true)
  if [ -n "$line" ]; then
    local f t
    f=$(sed -E 's/.*passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.*failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + t - f)) failed=$((failed + f))
  elif [ $rc -ne 0 ]; then
    failed=$((failed + 1))
  fi
  rm -f "$out"
}
run_ctest "$build/host"
run_ctest "$build/windows"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

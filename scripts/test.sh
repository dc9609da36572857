#!/usr/bin/env bash
# Builds both trees and runs every test: the host tests (ASan + UBSan), the
# short fuzz runs, and the Windows tests under Wine on a virtual X display.
# Ends with one line "N passed, N failed" (", N skipped" when this machine's
# Wine cannot run a 32-bit Windows program at all: the 32-bit builds of the
# tests that need Wine are then listed and skipped, never counted as passed;
# where that Wine runs 64-bit programs, the same tests built for x86_64 run
# instead, and count).
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

passed=0 failed=0 skipped=0
run_ctest() { # build folder [ctest arguments...]
  local dir=$1 out rc=0
  shift
  out=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@" 2>&1 | tee "$out" || rc=$?
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
# Can this machine's Wine run the programs of a Windows tree? The tree's
# stand-in main program ends right after writing its command line to a log.
wine_runs_programs() { # tree
  local tree=$build/$1 dir probe_log rc=0
  dir=$(mktemp -d)
  bash "$root/tests/harness/wine-prefix.sh" start "$tree/wine" >/dev/null 2>&1 || rc=$?
  if [ $rc -eq 0 ]; then
    MORVANE_STANDIN_QUIT=1 MORVANE_STANDIN_LOG="Z:$(tr '/' '\\' <<<"$dir")" timeout 120 \
      bash "$root/tests/harness/wine-run.sh" "$tree/wine" shared \
      "$tree/assets/payload/standin/Morvane.exe" probe >/dev/null 2>&1 || rc=$?
  fi
  probe_log=$(cat "$dir/standin.log" 2>/dev/null || true)
  rm -rf "$dir"
  [ $rc -eq 0 ] && [ -n "$probe_log" ] && return 0
  bash "$root/tests/harness/wine-prefix.sh" stop "$tree/wine" >/dev/null 2>&1 || true
  return 1
}

run_ctest "$build/host"
if wine_runs_programs windows; then
  run_ctest "$build/windows"
else
  echo "Wine on this machine cannot start a 32-bit Windows program: the 32-bit builds"
  echo "of the tests that run under Wine are skipped (listed below); the Windows"
  echo "tree's other checks run."
  mapfile -t wine_tests < <(ctest --test-dir "$build/windows" -N -R '^wine\.' |
                            sed -nE 's/^ *Test +#[0-9]+: (wine\..*)$/\1/p')
  printf 'skipped: %s\n' "${wine_tests[@]}"
  skipped=$((skipped + ${#wine_tests[@]}))
  run_ctest "$build/windows" -E '^wine\.'
  if [ -z "$MORVANE_DEPS_PREFIXES_64" ]; then
    echo "No 64-bit twins here (the bootstrap builds their libraries only for the"
    echo "WoW64 Wine): no test runs under Wine."
  elif ! build_windows64; then
    echo "The 64-bit twins of the Windows tree did not build."
    failed=$((failed + 1))
  elif wine_runs_programs windows64; then
    echo "The same tests built for x86_64 ($build/windows64) run instead: the"
    echo "setup program they drive is its 64-bit twin, built from the same sources."
    run_ctest "$build/windows64" -R '^wine\.'
  else
    echo "Nor can it start a 64-bit one: no test runs under Wine."
  fi
fi

if [ "$skipped" -gt 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]

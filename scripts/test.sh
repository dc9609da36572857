#!/usr/bin/env bash
# Builds both trees and runs every test: the host tests (ASan + UBSan), the
# short fuzz runs, and the Windows tests under Wine on a virtual X display.
# Ends with one line "N passed, N failed, N skipped". Skipped is never
# passed: a test that skipped itself counts there, and so do the 32-bit builds
# of the tests that need Wine when this machine's Wine cannot run a 32-bit
# Windows program at all (they are listed; where that Wine runs 64-bit
# programs, the same tests built for x86_64 run instead, and count). Where
# Wine also makes 64-bit prefixes, the tests marked WOW64 run a second time
# there (wow64.*), with the 32-bit programs under WoW64; the tests marked
# CP1252 run a second time in a prefix whose ANSI code page is 1252 (cp1252.*),
# and those marked WIDE_USER in a prefix whose user's name code page 936 cannot
# write (wideuser.*).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
source "$root/scripts/build-trees.sh"

build_host
build_windows

# A display for Wine: the user's, or an Xvfb of our own.
source "$root/scripts/xvfb.sh"
[ -n "${DISPLAY:-}" ] || own_display
trap stop_own_display EXIT

passed=0 failed=0 skipped=0
run_ctest() { # build folder [ctest arguments...]
  local dir=$1 report counts
  shift
  report=$(mktemp)
  # The JUnit report tells passed, failed and skipped tests apart; CTest's
  # own summary counts a skipped test as neither.
  ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" --output-junit "$report" "$@" || true
  counts=($(python3 "$root/scripts/count-results.py" "$report"))
  passed=$((passed + counts[0])) failed=$((failed + counts[1])) skipped=$((skipped + counts[2]))
  rm -f "$report"
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
  mapfile -t wine_tests < <(ctest --test-dir "$build/windows" -N -R '^(wine|wow64|cp1252|wideuser)\.' |
                            sed -nE 's/^ *Test +#[0-9]+: ((wine|wow64|cp1252|wideuser)\..*)$/\1/p')
  printf 'skipped: %s\n' "${wine_tests[@]}"
  skipped=$((skipped + ${#wine_tests[@]}))
  run_ctest "$build/windows" -E '^(wine|wow64|cp1252|wideuser)\.'
  if [ -z "$MORVANE_DEPS_PREFIXES_64" ]; then
    echo "No 64-bit twins here (the bootstrap builds their libraries only for the"
    echo "WoW64 Wine): no test runs under Wine."
  elif ! build_windows64; then
    echo "The 64-bit twins of the Windows tree did not build."
    failed=$((failed + 1))
  elif wine_runs_programs windows64; then
    echo "The same tests built for x86_64 ($build/windows64) run instead: the"
    echo "setup program they drive is its 64-bit twin, built from the same sources."
    run_ctest "$build/windows64" -R '^(wine|cp1252|wideuser)\.'
  else
    echo "Nor can it start a 64-bit one: no test runs under Wine."
  fi
fi

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]

#!/usr/bin/env bash
# wine-run.sh WINE_DIR shared|fresh EXE [ARGS...]
#
# Runs a Windows test executable under Wine and returns its exit code.
# shared: in the prepared prefix, served by the run's persistent wineserver.
# fresh:  in a copy of the prepared prefix made for this run alone, removed
#         afterwards (kept when the test fails and MORVANE_KEEP_PREFIX is set).
#         drive_c/windows is copied as hard links to save 500 MB a copy: a
#         test may add files there but must not rewrite a file in place.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 mode=$2 exe=$3
shift 3
source "$here/wine-env.sh" "$dir/wine.env"
prepared="$dir/prepared"
if [ ! -f "$prepared/.morvane-ready" ]; then
  echo "wine-run: no prepared prefix in $dir (run the wine.start test first)" >&2
  exit 2
fi

# Wine's helper processes (the virtual desktop's explorer among them) may
# outlive the test; they must not hold CTest's output pipe, so the test's
# output goes through a file.
output=$(mktemp)
run() {
  wine "$exe" "$@" >"$output" 2>&1 </dev/null
  local rc=$?
  cat "$output"
  rm -f "$output"
  return $rc
}

if [ "$mode" = shared ]; then
  WINEPREFIX="$prepared" run "$@"
  exit $?
fi

mkdir -p "$dir/fresh"
prefix=$(mktemp -d "$dir/fresh/$(basename "$exe" .exe).XXXXXX")
tar -C "$prepared" --exclude=./drive_c/windows -cf - . | tar -C "$prefix" -xf -
cp -al "$prepared/drive_c/windows" "$prefix/drive_c/"
export WINEPREFIX="$prefix"
wineserver -p </dev/null >/dev/null 2>&1
run "$@"
rc=$?
wineserver -k </dev/null >/dev/null 2>&1
wineserver -w </dev/null >/dev/null 2>&1 || true
if [ $rc -ne 0 ] && [ -n "${MORVANE_KEEP_PREFIX:-}" ]; then
  echo "wine-run: prefix kept in $prefix" >&2
else
  rm -rf "$prefix"
fi
exit $rc

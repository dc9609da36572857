#!/usr/bin/env bash
# fresh-copy-test.sh WINE_DIR STANDIN_EXE
#
# Shows that a fresh prefix works where no private mount can be made (a
# chroot, whose / is no mount point; a container without CAP_SYS_ADMIN): the
# test bed then copies the prepared prefix. The missing privilege is played by
# an unshare on PATH that fails as the real one does there. The stand-in main
# program, run in two fresh prefixes, logs its command line:
# 1. into C:\windows: it runs, and the prepared prefix stays unchanged;
# 2. into a folder of the host: the line is there, so it really ran.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 exe=$2
status=0

tools=$(mktemp -d)
logs=$(mktemp -d)
trap 'rm -rf "$tools" "$logs"' EXIT
cat >"$tools/unshare" <<'FAIL'
#!/bin/sh
echo "unshare: cannot change root filesystem propagation: Invalid argument" >&2
exit 1
FAIL
chmod +x "$tools/unshare"

in_fresh_copy() { # log-folder (Windows path), then the stand-in's arguments
  local log=$1
  shift
  PATH="$tools:$PATH" MORVANE_STANDIN_QUIT=1 MORVANE_STANDIN_LOG="$log" \
    bash "$here/wine-run.sh" "$dir" fresh "$exe" "$@"
}

if ! in_fresh_copy 'C:\windows' into-the-system-folder; then
  echo "FAILED: a fresh prefix without private mounts did not run the program"
  status=1
fi
if [ -e "$dir/prepared/drive_c/windows/standin.log" ]; then
  echo "FAILED: the program's write reached the prepared prefix"
  status=1
fi
in_fresh_copy "Z:$(tr '/' '\\' <<<"$logs")" into-the-host || true
if ! grep -q into-the-host "$logs/standin.log" 2>/dev/null; then
  echo "FAILED: the program in the copied prefix logged nothing"
  status=1
fi
[ $status -eq 0 ] && echo "a fresh prefix without private mounts is a copy, and works"
exit $status

#!/usr/bin/env bash
# wine-run.sh WINE_DIR shared|fresh EXE [ARGS...] [--after-restart ARGS...]
#
# Runs a Windows test executable under Wine and returns its exit code. With
# --after-restart (fresh prefixes only), EXE runs once more with the
# arguments after it, once the first run passed and the prefix was
# restarted as Windows restarts: every process ended, then started anew,
# which carries out the deletions that were waiting for the restart.
# shared: in the prepared prefix, served by the run's persistent wineserver.
# fresh:  in a prefix of its own, removed afterwards. With MORVANE_KEEP_PREFIX
#         set, the prefix of a failing test is kept in WINE_DIR/kept/ (which
#         wine.stop leaves alone) for a look.
#
# A fresh prefix is an overlay mount of the prepared prefix: the test sees
# the whole prepared prefix, and whatever it writes (a system file of
# C:\windows rewritten in place included) goes to a layer of its own. The
# prepared prefix cannot be changed through it, so no test can spoil the
# prefixes of the tests after it. (The hard-linked copies used before shared
# every file of C:\windows with the prepared prefix; as the tests run as root,
# permissions could not have stopped a write through them, and a check
# afterwards would have found the damage only once done.) The mount is made
# in a mount namespace of the test's own, so it vanishes with the test's last
# process even when CTest kills the test. Overlay mounts need root.
#
# MORVANE_SMALL_VOLUME (fresh prefixes only) names a folder of the prefix,
# relative to it ("drive_c/Program Files/zorva"): a tmpfs of
# MORVANE_SMALL_VOLUME_SIZE (default 16m) is mounted over it in the test's
# own mounts, a small disk that the test can fill up. Where no mount can be
# made the folder stays an ordinary one; the test sees its size and skips.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 mode=$2 exe=$3
shift 3
# Wine takes only an absolute WINEPREFIX (see wine-prefix.sh).
case "$dir" in /*) ;; *) dir=$PWD/$dir ;; esac
prepared="$dir/prepared"
if [ ! -f "$prepared/.morvane-ready" ]; then
  echo "wine-run: no prepared prefix in $dir (run the wine.start test first)" >&2
  exit 2
fi

# Whether this process may make a mount namespace with private mounts.
can_make_own_mounts() {
  [ "$(id -u)" -eq 0 ] && unshare --mount --propagation private true 2>/dev/null
}

if [ "$mode" = fresh ] && [ -z "${MORVANE_IN_OWN_MOUNTS:-}" ] && can_make_own_mounts; then
  MORVANE_IN_OWN_MOUNTS=1 exec unshare --mount --propagation private \
    bash "$0" "$dir" "$mode" "$exe" "$@"
fi

source "$here/wine-env.sh" "$dir/wine.env"

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
layers=$(mktemp -d "$dir/fresh/$(basename "$exe" .exe).XXXXXX")
prefix="$layers/prefix"
mounted=0
if [ -n "${MORVANE_IN_OWN_MOUNTS:-}" ]; then
  mkdir "$layers/upper" "$layers/work" "$prefix"
  if mount -t overlay overlay \
    -o "lowerdir=$prepared,upperdir=$layers/upper,workdir=$layers/work" "$prefix" 2>/dev/null; then
    mounted=1
  else
    rmdir "$prefix"
  fi
fi
if [ $mounted -eq 0 ] && ! cp -a --reflink=auto "$prepared" "$prefix"; then
  echo "wine-run: cannot make a fresh prefix from $prepared" >&2
  rm -rf "$layers"
  exit 2
fi
small_volume=
if [ -n "${MORVANE_SMALL_VOLUME:-}" ] && [ -n "${MORVANE_IN_OWN_MOUNTS:-}" ]; then
  small_volume="$prefix/$MORVANE_SMALL_VOLUME"
  mkdir -p "$small_volume"
  if ! mount -t tmpfs -o "size=${MORVANE_SMALL_VOLUME_SIZE:-16m}" tmpfs "$small_volume"; then
    echo "wine-run: no small volume could be mounted over $small_volume" >&2
    small_volume=
  fi
fi
export WINEPREFIX="$prefix"
first=() second=() restart=0
for argument in "$@"; do
  if [ "$argument" = --after-restart ]; then
    restart=1
  elif [ $restart -eq 0 ]; then
    first+=("$argument")
  else
    second+=("$argument")
  fi
done
wineserver -p </dev/null >/dev/null 2>&1
run "${first[@]}"
rc=$?
if [ $rc -eq 0 ] && [ $restart -eq 1 ]; then
  wineserver -k </dev/null >/dev/null 2>&1
  wineserver -w </dev/null >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1
  run "${second[@]}"
  rc=$?
fi
wineserver -k </dev/null >/dev/null 2>&1
wineserver -w </dev/null >/dev/null 2>&1 || true
if [ $rc -ne 0 ] && [ -n "${MORVANE_KEEP_PREFIX:-}" ]; then
  mkdir -p "$dir/kept"
  kept="$dir/kept/$(basename "$layers")"
  cp -a "$prefix" "$kept"
  echo "wine-run: prefix kept in $kept" >&2
fi
if [ -n "$small_volume" ]; then
  umount "$small_volume" 2>/dev/null || umount -l "$small_volume"
fi
if [ $mounted -eq 1 ]; then
  umount "$prefix" 2>/dev/null || umount -l "$prefix"
fi
rm -rf "$layers"
exit $rc

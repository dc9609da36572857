#!/usr/bin/env bash
# wine-prefix.sh start|stop WINE_DIR
#
# start: creates the prepared prefix WINE_DIR/prepared (under the locale of
#        WINE_DIR/wine.env: zh_CN.UTF-8, so that the ANSI code page is 936,
#        unless it names another; with a virtual desktop for every
#        process, so that SendInput reaches the programs; with its shell
#        folders inside the prefix), then starts its persistent wineserver for
#        the test run. The prefix is made again when the Wine or this test bed
#        changed since it was made.
# stop:  ends that wineserver, removes what killed tests left in
#        WINE_DIR/fresh (prefixes kept for a look, in WINE_DIR/kept, stay),
#        and fails when a file of the prepared prefix's C:\windows changed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1 dir=$2
# Wine takes only an absolute WINEPREFIX: a folder named relative to here
# is made absolute.
case "$dir" in /*) ;; *) dir=$PWD/$dir ;; esac
source "$here/wine-env.sh" "$dir/wine.env"
prepared="$dir/prepared"
export WINEPREFIX="$prepared"

# What the prepared prefix was made by: the Wine, the kind of prefix, its
# locale, its user, and the scripts that shape it.
identity() {
  echo "wine: $(command -v wine) $(wine --version 2>/dev/null) ${WINEARCH:-win64} $LANG"
  echo "user: ${MORVANE_WINE_USER:-}"
  echo "test bed: $(cat "$here"/wine-{prefix,env,shell-folders}.sh | sha256sum | cut -c1-16)"
}

# The files of C:\windows with their sizes and times of change. Tests that
# share the prepared prefix run in it and must not change it; the overlay
# that gives the other tests their own prefix does not cover them. A change
# there would reach every later test, so wine.stop compares with the list
# made with the prefix, names what changed, and has the prefix made anew.
windows_manifest() {
  find "$prepared/drive_c/windows" -printf '%P\t%y\t%s\t%T@\n' | LC_ALL=C sort
}

case "$action" in
start)
  mkdir -p "$dir"
  if [ "$(cat "$prepared/.morvane-ready" 2>/dev/null)" != "$(identity)" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    rm -rf "$prepared"
    {
      wine wineboot -i
      wineserver -w
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
      wineserver -w
    } >"$dir/wineboot.log" 2>&1
    bash "$here/wine-shell-folders.sh" "$prepared"
    windows_manifest >"$dir/prepared-windows.list"
    identity >"$prepared/.morvane-ready"
  fi
  # A server already running for the prefix (a run that did not end) serves on.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  ;;
stop)
  wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -rf "$dir/fresh"
  if [ -f "$prepared/.morvane-ready" ]; then
    changes=$(diff "$dir/prepared-windows.list" <(windows_manifest) 2>&1) || {
      echo "wine.stop: a test that shares the prepared prefix changed its C:\windows"
      echo "(lines: path, type, size, time of change; < before, > after):"
      echo "$changes" | head -n 40
      echo "The prepared prefix is made anew by the next wine.start."
      rm -f "$prepared/.morvane-ready"
      exit 1
    }
  fi
  ;;
*)
  echo "usage: $0 start|stop WINE_DIR" >&2
  exit 2
  ;;
esac

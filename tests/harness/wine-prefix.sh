#!/usr/bin/env bash
# wine-prefix.sh start|stop WINE_DIR
#
# start: creates the prepared prefix WINE_DIR/prepared once (32-bit, under
#        zh_CN.UTF-8 so that the ANSI code page is 936, with a virtual desktop
#        for every process so that SendInput reaches the programs), then starts
#        its persistent wineserver for the test run.
# stop:  ends that wineserver and every fresh prefix left behind.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
action=$1 dir=$2
prepared="$dir/prepared"
export WINEPREFIX="$prepared"

case "$action" in
start)
  mkdir -p "$dir"
  if [ ! -f "$prepared/.morvane-ready" ]; then
    rm -rf "$prepared"
    wineboot -i >"$dir/wineboot.log" 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$dir/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$dir/wineboot.log" 2>&1
    wineserver -w
    touch "$prepared/.morvane-ready"
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  ;;
stop)
  wineserver -k </dev/null >/dev/null 2>&1 || true
  rm -rf "$dir/fresh"
  ;;
*)
  echo "usage: $0 start|stop WINE_DIR" >&2
  exit 2
  ;;
esac

#!/usr/bin/env bash
# Builds the setup program and starts it under Wine, in a virtual desktop of
# 1024 x 768 so that it looks the same on every screen. On the user's display
# when there is one; otherwise on an Xvfb of its own, where it takes a
# screenshot after a few seconds, says where it is, and ends the program.
#
# The program runs in a Wine prefix of its own under the build folder
# (zh_CN.UTF-8, so that its code-page-936 texts show), not in ~/.wine: it is
# a setup program and writes to Program Files and the registry.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
source "$root/scripts/build-trees.sh"

build_windows MorvaneSetup
program="$build/windows/MorvaneSetup.exe"
echo "The setup program is $program"

# The Wine the bootstrap chose (MORVANE_WINE_BIN, MORVANE_WINE_ARCH).
source "$root/tests/harness/wine-env.sh" ""
export WINEPREFIX="$build/run-prefix"
wine_identity="$(command -v wine) $(wine --version 2>/dev/null) ${WINEARCH:-win64}"
if [ "$(cat "$WINEPREFIX/.morvane-ready" 2>/dev/null)" != "$wine_identity" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
  rm -rf "$WINEPREFIX"
  wine wineboot -i >"$build/run-prefix.log" 2>&1
  wineserver -w
  # Its shortcuts land in the prefix, not in your home folder.
  bash "$root/tests/harness/wine-shell-folders.sh" "$WINEPREFIX"
  echo "$wine_identity" >"$WINEPREFIX/.morvane-ready"
fi
desktop="/desktop=Morvane,1024x768"

if [ -n "${DISPLAY:-}" ]; then
  set +e
  wine explorer "$desktop" "$program"
  rc=$?
  set -e
  echo "The setup program ended with exit code $rc"
  exit 0
fi

# No display: an Xvfb of our own, a screenshot, and the end of the program.
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r -t 20 display_number <&3
export DISPLAY=":$display_number"
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
wine explorer "$desktop" "$program" >/dev/null 2>&1 &
sleep "${MORVANE_SCREENSHOT_DELAY:-6}"
shot="$build/MorvaneSetup-screen.png"
import -window root "$shot"
echo "No display: the program ran on a virtual X display; its screen is in $shot"

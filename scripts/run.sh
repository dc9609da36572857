#!/usr/bin/env bash
# Builds the setup program and starts it under Wine, in a virtual desktop of
# 1024 x 768 so that it looks the same on every screen.
#
# With a display (DISPLAY set): the program runs there for you to use.
# Without one: it runs on an Xvfb of its own, where a small Windows-side
# helper (screen_tour.exe) presses through it as a person would: the start
# window, the agreement window, the progress view and the final message are
# saved as PNG files in the build folder, and the installation is finished.
#
# The program runs in a Wine prefix of its own under the build folder
# (zh_CN.UTF-8, so that its code-page-936 texts show), not in ~/.wine: it is
# a setup program and writes to Program Files, the registry, the desktop and
# the Start menu. That prefix keeps its shell folders inside itself (real
# folders, not links into your home folder) and runs no winemenubuilder, so
# the shortcuts it creates never reach your own desktop or menus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
source "$root/scripts/build-trees.sh"

build_windows MorvaneSetup
program="$build/windows/MorvaneSetup.exe"
echo "The setup program is $program"

# The Wine the bootstrap chose (MORVANE_WINE_BIN, MORVANE_WINE_ARCH), without
# winemenubuilder, which would copy shortcuts into the Linux session.
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
  # Every program of the prefix runs in one virtual desktop, the program
  # and the tour helper alike.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Morvane /f >>"$build/run-prefix.log" 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Morvane /d 1024x768 /f \
    >>"$build/run-prefix.log" 2>&1
  wineserver -w
  echo "$wine_identity" >"$WINEPREFIX/.morvane-ready"
fi

if [ -n "${DISPLAY:-}" ]; then
  set +e
  wine "$program"
  rc=$?
  set -e
  echo "The setup program ended with exit code $rc"
  exit 0
fi

# No display: an Xvfb of our own and the tour.
cmake --build "$build/windows" --target morvane_screen_tour
tour="$build/windows/tests/wine/setup/screen_tour.exe"
source "$root/scripts/xvfb.sh"
own_display
shots=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_own_display
  rm -rf "$shots"
}
trap cleanup EXIT

set +e
windows_path() { wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
wine "$tour" "$(windows_path "$program")" "$(windows_path "$shots")" </dev/null
rc=$?
set -e
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  png="$build/MorvaneSetup-$(basename "$bmp" .bmp).png"
  convert "$bmp" "$png"
  echo "Saved $png"
done
echo "No display: the program ran on a virtual X display and ended with exit code $rc"
exit $rc

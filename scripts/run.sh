#!/usr/bin/env bash
# Builds the setup program and starts it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
source "$root/scripts/build-trees.sh"

build_windows
echo "The setup program is $build/windows/MorvaneSetup.exe"

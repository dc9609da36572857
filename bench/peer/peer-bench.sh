#!/usr/bin/env bash
# The peer bench: the setup program against an NSIS installer doing the same
# job, and against the floor programs, under Wine, on this machine, in one
# run. It reports and never fails on a figure.
#
#   bash bench/peer/peer-bench.sh [REPETITIONS]     (default 9)
#
# Builds both trees (and installs Debian's nsis when makensis is missing),
# builds the reference installer from the tree's payload files and licence
# text, runs the measuring program (peer_bench.exe) in a fresh prefix of the
# Windows tests' test bed on a virtual display, and the picture-decoding
# bench of the host tree, then writes the report to build/bench/peer-bench.md
# (with the raw samples beside it, peer-samples.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
repetitions=${1:-9}
source "$root/scripts/build-trees.sh"

build_host
build_windows

if ! command -v makensis >/dev/null; then
  echo "peer-bench: installing Debian's nsis"
  as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nsis
fi

out=$build/bench
windows=$build/windows
mkdir -p "$out"
bash "$here/build-reference.sh" "$out/reference" "$windows/payload" \
  "$windows/assets/agreement.cp936.txt" "$build/host/bench/reference_items"

source "$root/scripts/xvfb.sh"
[ -n "${DISPLAY:-}" ] || own_display
wine_dir=$windows/wine
cleanup() {
  bash "$root/tests/harness/wine-prefix.sh" stop "$wine_dir" >/dev/null 2>&1 || true
  stop_own_display
}
trap cleanup EXIT
bash "$root/tests/harness/wine-prefix.sh" start "$wine_dir" >/dev/null

windows_path() { echo "Z:$(tr '/' '\\' <<<"$1")"; }
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
rm -f "$out/peer-samples.txt"
echo "peer-bench: $repetitions repetitions of each program"
bash "$root/tests/harness/wine-run.sh" "$wine_dir" fresh "$windows/bench/peer_bench.exe" \
  "$(windows_path "$out/peer-samples.txt")" "$repetitions" \
  "$(windows_path "$windows/MorvaneSetup.exe")" "$(windows_path "$out/reference/reference.exe")" \
  "$(windows_path "$windows/bench/floor_message_box.exe")" \
  "$(windows_path "$windows/bench/floor_progress.exe")" || echo "peer-bench: peer_bench.exe failed"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "peer-bench: picture decoding"
"$build/host/bench/image_decode_bench" "$root/assets/images/logo.png" \
  "$root/assets/images/close-normal.jpg" >"$out/image-bench.txt" 2>&1 ||
  echo "(the picture-decoding bench failed)" >>"$out/image-bench.txt"

payload_bytes=0
for f in main-program uninstaller product-icon; do
  payload_bytes=$((payload_bytes + $(stat -c %s "$windows/payload/$f.bin")))
done
{
  echo "setup $(stat -c %s "$windows/MorvaneSetup.exe")"
  echo "setup_payload $payload_bytes"
  echo "reference $(stat -c %s "$out/reference/reference.exe")"
  echo "reference_payload $(cat "$out/reference/stored-payload")"
} >"$out/sizes.txt"
source "$root/tests/harness/wine-env.sh" "$wine_dir/wine.env"
{
  echo "$(wine --version 2>/dev/null || echo 'Wine of unknown version'), $(sed -n "s/^MORVANE_WINE_ARCH=//p" "$wine_dir/wine.env" | tr -d "'") prefix; $(makensis -VERSION) for the reference"
  echo "$(nproc) processors; load average (1, 5, 15 min) $load_before before the Wine runs, $load_after after"
} >"$out/conditions.txt"
[ -s "$out/peer-samples.txt" ] || touch "$out/peer-samples.txt"
python3 "$here/report.py" "$out/peer-samples.txt" "$out/sizes.txt" "$out/image-bench.txt" \
  "$out/conditions.txt" >"$out/peer-bench.md"
cat "$out/peer-bench.md"
echo "peer-bench: report in $out/peer-bench.md"

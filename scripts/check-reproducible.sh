#!/usr/bin/env bash
# Builds MorvaneSetup.exe twice from the committed HEAD, in two fresh folders
# with different paths, and compares the two executables byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
here=$root
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

hashes=()
for name in first second-build; do
  src="$work/$name/src"
  mkdir -p "$src"
  git -C "$here" archive HEAD | tar -x -C "$src"
  root="$src" build="$work/$name/build"
  (source "$src/scripts/build-trees.sh" && build_windows MorvaneSetup) >/dev/null
  hash=$(sha256sum "$work/$name/build/windows/MorvaneSetup.exe" | cut -d' ' -f1)
  echo "$name: $hash"
  hashes+=("$hash")
done

if [ "${hashes[0]}" = "${hashes[1]}" ]; then
  echo "reproducible: the two builds are byte-identical"
else
  echo "NOT reproducible: the two builds differ" >&2
  exit 1
fi

#!/usr/bin/env bash
# Builds MorvaneSetup.exe twice from the committed HEAD, in two fresh folders
# with different paths, and compares the two executables byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$(bash "$root/scripts/bootstrap.sh" | tail -n1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

hashes=()
for name in first second-build; do
  src="$work/$name/src"
  mkdir -p "$src"
  git -C "$root" archive HEAD | tar -x -C "$src"
  cmake -S "$src" -B "$work/$name/build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DMORVANE_DEPS_PREFIXES="$deps" -DCMAKE_PREFIX_PATH="$deps" >/dev/null
  cmake --build "$work/$name/build" --target MorvaneSetup >/dev/null
  hash=$(sha256sum "$work/$name/build/MorvaneSetup.exe" | cut -d' ' -f1)
  echo "$name: $hash"
  hashes+=("$hash")
done

if [ "${hashes[0]}" = "${hashes[1]}" ]; then
  echo "reproducible: the two builds are byte-identical"
else
  echo "NOT reproducible: the two builds differ" >&2
  exit 1
fi

#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, and
# cross-builds libpng, libjpeg-turbo and GoogleTest for i686-w64-mingw32 once
# into a cache outside the source tree. Idempotent and quiet when all is there.
#
# Prints the dependency prefix on its last line of standard output.
set -euo pipefail

cache="${MORVANE_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvane-deps}"
log="$cache/bootstrap.log"
mkdir -p "$cache"

say() { echo "bootstrap: $*" >&2; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config dpkg-dev file
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev libz-mingw-w64-dev
  wine wine32:i386 xvfb xauth x11-utils imagemagick
  locales fonts-wqy-microhei googletest libgtest-dev nlohmann-json3-dev
  python3 git ca-certificates
)

# --- apt: i386 architecture, deb-src entry, packages -------------------------
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  say "adding the i386 architecture"
  as_root dpkg --add-architecture i386
  need_update=1
fi
src_list=/etc/apt/sources.list.d/morvane-deb-src.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ \
   && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  say "adding a deb-src entry for bookworm"
  as_root tee "$src_list" >/dev/null <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  need_update=1
fi
if [ "$need_update" -eq 1 ]; then
  say "apt-get update"
  as_root apt-get update -qq >>"$log" 2>&1
fi
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >>"$log" 2>&1
fi

# --- the zh_CN.UTF-8 locale (Wine's ANSI code page 936 depends on it) --------
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  say "generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >>"$log" 2>&1
fi

# --- cross-built dependencies, one prefix per library and version -----------
toolchain="$(cd "$(dirname "$0")/.." && pwd)/cmake/mingw-i686.cmake"
cross_cmake() { # src build prefix args...
  local src=$1 build=$2 prefix=$3; shift 3
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="-Os -ffunction-sections -fdata-sections" "$@" >>"$log" 2>&1
  cmake --build "$build" >>"$log" 2>&1
  cmake --install "$build" >>"$log" 2>&1
}

fetch_source() { # package -> prints the unpacked folder
  local pkg=$1 dir="$cache/src"
  mkdir -p "$dir"
  local found
  found=$(find "$dir" -maxdepth 1 -type d -name "${pkg%1.6}*-*" -o -maxdepth 1 -type d -name "${pkg}-*" | head -n1)
  if [ -z "$found" ]; then
    say "fetching the Debian source of $pkg"
    (cd "$dir" && apt-get source --download-only -qq "$pkg" >>"$log" 2>&1 \
      && for d in ${pkg}_*.dsc; do dpkg-source -x "$d" >>"$log" 2>&1; done)
    found=$(find "$dir" -maxdepth 1 -type d \( -name "${pkg%1.6}*-*" -o -name "${pkg}-*" \) | head -n1)
  fi
  echo "$found"
}

version_of() { dpkg-parsechangelog -l "$1/debian/changelog" -S Version 2>/dev/null | tr ':~' '__'; }

png_src=$(fetch_source libpng1.6)
jpeg_src=$(fetch_source libjpeg-turbo)
png_prefix="$cache/libpng-$(version_of "$png_src")"
jpeg_prefix="$cache/libjpeg-turbo-$(version_of "$jpeg_src")"
gtest_ver=$(dpkg-query -W -f='${Version}' googletest | tr ':~' '__')
gtest_prefix="$cache/googletest-$gtest_ver"

if [ ! -f "$png_prefix/.done" ]; then
  say "cross-building libpng into $png_prefix"
  rm -rf "$cache/build-png"
  cross_cmake "$png_src" "$cache/build-png" "$png_prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_USE_STATIC_LIBS=ON -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
  touch "$png_prefix/.done"
fi
if [ ! -f "$jpeg_prefix/.done" ]; then
  say "cross-building libjpeg-turbo into $jpeg_prefix"
  rm -rf "$cache/build-jpeg"
  cross_cmake "$jpeg_src" "$cache/build-jpeg" "$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
  touch "$jpeg_prefix/.done"
fi
if [ ! -f "$gtest_prefix/.done" ]; then
  say "cross-building GoogleTest into $gtest_prefix"
  rm -rf "$cache/build-gtest"
  cross_cmake /usr/src/googletest "$cache/build-gtest" "$gtest_prefix" \
    -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
  touch "$gtest_prefix/.done"
fi

printf '%s;%s;%s\n' "$png_prefix" "$jpeg_prefix" "$gtest_prefix"

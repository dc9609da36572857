#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine,
# cross-builds zlib's inflate, libpng, libjpeg-turbo and GoogleTest for
# i686-w64-mingw32 once into a cache outside the source tree, and, on a
# machine that cannot run 32-bit Linux programs, builds a Wine there too
# (and the four libraries for x86_64, for the Windows tests' 64-bit twins).
# The same lean zlib, libpng and libjpeg-turbo are built for the host as well,
# with the host's clang: the fuzz targets link them, so that they run the
# libraries as the product has them.
# Idempotent and quiet when all is there.
#
#   bootstrap.sh            install and build what is missing, then locate
#   bootstrap.sh --locate   only locate; fails when something is not built
#
# Its last lines of standard output locate the results:
#   MORVANE_DEPS_PREFIXES_64=<the same for x86_64; empty unless the WoW64 Wine>
#   MORVANE_DEPS_PREFIXES=<zlib>;<libpng>;<libjpeg-turbo>;<googletest>
#   MORVANE_HOST_DEPS_PREFIXES=<zlib>;<libpng>;<libjpeg-turbo>, for the host
#   MORVANE_WINE_BIN=<the folder of the wine to use; empty: the one on PATH>
#   MORVANE_WINE_ARCH=<win32 | win64: the kind of prefix that Wine makes>
#   MORVANE_WINE_WOW64=<1 when that Wine also makes 64-bit prefixes, where the
#                      32-bit program runs as on 64-bit Windows; else 0>
#
# MORVANE_DEPS_CACHE names the cache (default ~/.cache/morvane-deps);
# MORVANE_WINE=debian or MORVANE_WINE=wow64 overrides the choice of Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
mode=install
if [ "${1:-}" = --locate ]; then
  mode=locate
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--locate]" >&2
  exit 2
fi

cache="${MORVANE_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvane-deps}"
src_dir="$cache/src"
log="$cache/bootstrap.log"

say() { echo "bootstrap: $*" >&2; }
fail() { say "$*"; exit 1; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
hash_of() { sha256sum | cut -c1-12; }

# --- which Wine ---------------------------------------------------------------
# Debian's wine32 is a 32-bit Linux program. Some kernels cannot execute those
# (built or booted without IA-32 emulation: the exec fails). The probe is the
# smallest such program: an i386 ELF file whose code is exit(42). A user-mode
# emulator registered for i386 programs through binfmt_misc (qemu-user) makes
# the probe run, but not Wine, so such a registration counts as "cannot" too.
runs_i386_linux_programs() {
  local probe="$cache/.i386-probe" rc=0 entry magic
  {
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'            # 32-bit LSB
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'   # EXEC, i386
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'   # one LOAD
    printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'
    printf '\270\001\000\000\000\273\052\000\000\000\315\200'                   # exit(42)
  } >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ] || return 1
  for entry in /proc/sys/fs/binfmt_misc/*; do
    case ${entry##*/} in register | status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    magic=$(awk '$1 == "magic" { print $2 }' "$entry")
    # ELF, 32-bit, little-endian, e_machine 3 (i386).
    if [ "${magic:0:10}" = 7f454c4601 ] && [ "${magic:36:4}" = 0300 ]; then
      return 1
    fi
  done
  return 0
}

mkdir -p "$cache" "$src_dir"
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$codename" ] || fail "no VERSION_CODENAME in /etc/os-release"
wine_kind=${MORVANE_WINE:-}
if [ -z "$wine_kind" ]; then
  if runs_i386_linux_programs; then wine_kind=debian; else wine_kind=wow64; fi
fi
case $wine_kind in debian | wow64) ;; *) fail "MORVANE_WINE is debian or wow64, not $wine_kind" ;; esac

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config dpkg-dev file
  gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-i686-dev xvfb xauth x11-utils imagemagick
  locales fonts-wqy-microhei googletest libgtest-dev nlohmann-json3-dev
  libpng-dev libjpeg62-turbo-dev libgif-dev
  python3 git ca-certificates
  osslsigncode openssl
  # The signing test's hardware key: a software token, and the PKCS#11 engine
  # through which osslsigncode signs with a token's key.
  softhsm2 libengine-pkcs11-openssl
)
if [ "$wine_kind" = debian ]; then
  # wine64 beside wine32: the same Wine then also makes 64-bit prefixes, in
  # which the 32-bit program runs under WoW64, as nearly every user runs it.
  packages+=(wine wine32:i386 wine64)
else
  # What scripts/build-wine.sh needs: the mingw compilers of both Windows
  # sides, the generators of its preparation steps, and the 64-bit
  # development files of what its configuration keeps.
  packages+=(
    gcc-mingw-w64-i686 gcc-mingw-w64-x86-64 libz-mingw-w64-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev
    autoconf automake autotools-dev flex bison gettext unzip lzma sharutils
    icoutils librsvg2-bin fontforge-nox unicode-data khronos-api libxml-libxml-perl
    libvulkan-dev libx11-dev libxext-dev libxi-dev libxrandr-dev libxcursor-dev
    libxinerama-dev libxrender-dev libxfixes-dev libxcomposite-dev libxkbfile-dev
    libxt-dev libfreetype-dev libfontconfig-dev libgnutls28-dev libncurses-dev
    libgettextpo-dev
  )
fi

# One bootstrap at a time builds into the cache (several trees share it).
if [ "$mode" = install ]; then
  exec 9>"$cache/.lock"
  flock 9
fi

# --- apt: i386 architecture, deb-src entries, packages -------------------------
if [ "$mode" = install ]; then
  need_update=0
  if [ "$wine_kind" = debian ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture"
    as_root dpkg --add-architecture i386
    need_update=1
  fi

  # Source packages come from where the machine's own apt sources point (its
  # mirror or proxy, its signing key): scripts/apt-deb-src.sh derives the
  # deb-src entries from them, into a file of ours that follows them.
  own_sources=/etc/apt/sources.list.d/morvane-deb-src.sources
  apt_files=()
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && [ "$f" != "$own_sources" ] && apt_files+=("$f")
  done
  wanted=$(bash "$here/apt-deb-src.sh" "$codename" "${apt_files[@]}")
  current=$(cat "$own_sources" 2>/dev/null || true)
  if [ "$wanted" != "$current" ]; then
    if [ -z "$wanted" ]; then
      as_root rm -f "$own_sources"
    else
      say "adding deb-src entries for $codename from the machine's apt sources"
      printf '%s\n' "$wanted" | as_root tee "$own_sources" >/dev/null
    fi
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
    # A mirror in the middle of a sync serves an index that does not match
    # its release file; apt then keeps the indexes it has and exits 100.
    # Such a state passes in minutes: try again, then go on with what was
    # fetched (an install that cannot be done with it fails below).
    tries=0
    until as_root apt-get update -qq >>"$log" 2>&1; do
      tries=$((tries + 1))
      if [ "$tries" -ge 3 ]; then
        say "apt-get update failed $tries times (see $log); going on with the indexes fetched"
        break
      fi
      sleep 30
    done
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends "${missing[@]}" >>"$log" 2>&1
  fi

  # The zh_CN.UTF-8 locale (Wine's ANSI code page 936 depends on it).
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    say "generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >>"$log" 2>&1
  fi
fi

# --- Debian sources -----------------------------------------------------------
# Each source package is fetched once into $src_dir and unpacked (with
# Debian's patches) into the folder its .dsc names: SOURCE-UPSTREAMVERSION.
dsc_of() { # package -> the newest .dsc fetched, or nothing
  find "$src_dir" -maxdepth 1 -name "$1_*.dsc" | sort -V | tail -n1
}
dsc_field() { awk -v f="$2:" '$1 == f { print $2; exit }' "$1"; }
version_of() { dsc_field "$1" Version | tr ':~' '__'; }
unpacked_of() { # dsc -> folder
  local version
  version=$(dsc_field "$1" Version)
  version=${version#*:}
  echo "$src_dir/$(dsc_field "$1" Source)-${version%-*}"
}
source_of() { # package -> its .dsc, fetched and unpacked when missing
  local pkg=$1 dsc dir
  dsc=$(dsc_of "$pkg")
  if [ -z "$dsc" ]; then
    [ "$mode" = install ] || fail "the Debian source of $pkg is not fetched: run scripts/bootstrap.sh"
    say "fetching the Debian source of $pkg"
    # The newest version first; when the machine's mirror does not serve it
    # (some mirror only the release and not its security suite), the
    # release's own.
    local suite fetch
    for suite in "" "/$codename"; do
      fetch=$(mktemp -d "$src_dir/.fetch.XXXXXX")
      if (cd "$fetch" && apt-get source --download-only -qq "$pkg$suite" >>"$log" 2>&1); then
        mv "$fetch"/* "$src_dir/"
        rm -rf "$fetch"
        break
      fi
      rm -rf "$fetch"
    done
    dsc=$(dsc_of "$pkg")
    [ -n "$dsc" ] || fail "apt-get source $pkg gave no .dsc (see $log)"
  fi
  dir=$(unpacked_of "$dsc")
  if [ ! -d "$dir" ]; then
    [ "$mode" = install ] || fail "the Debian source of $pkg is not unpacked: run scripts/bootstrap.sh"
    rm -rf "$dir.partial"
    dpkg-source -x "$dsc" "$dir.partial" >>"$log" 2>&1
    mv "$dir.partial" "$dir"
  fi
  echo "$dsc"
}

# --- cross-built dependencies ---------------------------------------------------
# One prefix per library, named by its Debian source version and a hash of
# everything that shapes the build (our configuration files, the flags, the
# toolchain file or, for the host, the compiler's version), so that a change
# of any of them builds anew.
deps_config="$root/cmake/deps"
lean_flags="-ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -D__USE_MINGW_ANSI_STDIO=0"

# The caller's $toolchain names the toolchain file (which includes what the
# toolchains share); empty, the build is for the host (static libraries that
# position-independent programs can link).
toolchain_text() {
  if [ -n "$toolchain" ]; then
    cat "$toolchain" "$root/cmake/mingw-common.cmake"
  else
    echo "host: $(clang --version | head -n1), $(uname -m), position-independent, installed to lib/"
  fi
}
cross_cmake() { # source build prefix build-type c-flags cmake-args...
  local src=$1 build=$2 prefix=$3 type=$4 flags=$5
  shift 5
  local target_args=(-DCMAKE_TOOLCHAIN_FILE="$toolchain")
  # (libjpeg-turbo takes a relative library folder as one under the current
  # folder, and 64-bit Linux would make it lib64.)
  [ -n "$toolchain" ] || target_args=(-DCMAKE_C_COMPILER=clang -DCMAKE_POSITION_INDEPENDENT_CODE=ON
                                      -DCMAKE_INSTALL_LIBDIR="$prefix/lib")
  rm -rf "$build" "$prefix"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
    "${target_args[@]}" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_C_FLAGS="$flags" "$@" >>"$log" 2>&1
  cmake --build "$build" >>"$log" 2>&1
  cmake --install "$build" >>"$log" 2>&1
}
missing_build() { # prefix -> true when it is not built yet
  [ -f "$1/.done" ] && return 1
  [ "$mode" = install ] || fail "$1 is not built: run scripts/bootstrap.sh"
  return 0
}

zlib_dsc=$(source_of zlib)
png_dsc=$(source_of libpng1.6)
jpeg_dsc=$(source_of libjpeg-turbo)

# Builds the four libraries with one toolchain file and sets deps_prefixes to
# their prefixes (zlib;libpng;libjpeg-turbo;googletest). Without a toolchain
# file, builds the first three for the host (its tests use Debian's
# GoogleTest).
cross_build_dependencies() { # toolchain-file googletest-suffix
  local toolchain=$1 gtest_suffix=$2 building=cross-building
  [ -n "$toolchain" ] || building="building for the host"
  local zlib_prefix png_prefix jpeg_prefix gtest_prefix staged gtest_ver
  zlib_prefix="$cache/zlib-inflate-$(version_of "$zlib_dsc")-$(
    { toolchain_text; cat "$deps_config/zlib-inflate/CMakeLists.txt" -; } <<<"MinSizeRel $lean_flags" | hash_of)"
  if missing_build "$zlib_prefix"; then
    say "$building zlib's inflate into $zlib_prefix"
    cross_cmake "$deps_config/zlib-inflate" "$cache/build-zlib" "$zlib_prefix" MinSizeRel \
      "$lean_flags" -DZLIB_SOURCE_DIR="$(unpacked_of "$zlib_dsc")"
    touch "$zlib_prefix/.done"
  fi

  local png_args=(-DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
                  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON)
  png_prefix="$cache/libpng-$(version_of "$png_dsc")-$(
    { toolchain_text; cat "$deps_config/libpng-read.dfa" -; } <<<"MinSizeRel $lean_flags ${png_args[*]} ${zlib_prefix##*/}" | hash_of)"
  if missing_build "$png_prefix"; then
    say "$building libpng into $png_prefix"
    # libpng generates its pnglibconf.h from our .dfa with awk; it compiles
    # and links against the zlib above, not the toolchain's.
    cross_cmake "$(unpacked_of "$png_dsc")" "$cache/build-png" "$png_prefix" MinSizeRel \
      "$lean_flags" "${png_args[@]}" -DDFA_XTRA="$deps_config/libpng-read.dfa" \
      -DZLIB_INCLUDE_DIR="$zlib_prefix/include" -DZLIB_LIBRARY="$zlib_prefix/lib/libz.a"
    grep -q '^#define PNG_SIMPLIFIED_READ_SUPPORTED' "$png_prefix/include/pnglibconf.h" &&
      ! grep -q '^#define PNG_WRITE_SUPPORTED' "$png_prefix/include/pnglibconf.h" ||
      fail "libpng ignored libpng-read.dfa (no awk?); see $log"
    touch "$png_prefix/.done"
  fi

  local jpeg_args=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
                   -DWITH_ARITH_DEC=OFF -DWITH_ARITH_ENC=OFF)
  local jpeg_flags="$lean_flags -DNO_GETENV"
  # Off Windows, jinclude.h's setenv stand-in needs errno.h, which it takes
  # in only with getenv. Only TurboJPEG (not built) calls it.
  [ -n "$toolchain" ] || jpeg_flags+=" -DNO_PUTENV"
  jpeg_prefix="$cache/libjpeg-turbo-$(version_of "$jpeg_dsc")-$(
    { toolchain_text; cat "$deps_config/libjpeg-turbo/jmorecfg.h" -; } <<<"MinSizeRel $jpeg_flags ${jpeg_args[*]}" | hash_of)"
  if missing_build "$jpeg_prefix"; then
    say "$building libjpeg-turbo into $jpeg_prefix"
    # A copy of Debian's source with our jmorecfg.h in front of Debian's: the
    # library's headers include it by a quoted name from their own folder.
    staged="$cache/build-jpeg-source"
    rm -rf "$staged"
    cp -a "$(unpacked_of "$jpeg_dsc")" "$staged"
    mv "$staged/jmorecfg.h" "$staged/jmorecfg-debian.h"
    cp "$deps_config/libjpeg-turbo/jmorecfg.h" "$staged/jmorecfg.h"
    cross_cmake "$staged" "$cache/build-jpeg" "$jpeg_prefix" MinSizeRel "$jpeg_flags" "${jpeg_args[@]}"
    cp "$staged/jmorecfg-debian.h" "$jpeg_prefix/include/"
    rm -rf "$staged"
    touch "$jpeg_prefix/.done"
  fi

  if [ -z "$toolchain" ]; then
    deps_prefixes="$zlib_prefix;$png_prefix;$jpeg_prefix"
    return
  fi
  local gtest_flags="-Os -ffunction-sections -fdata-sections"
  local gtest_args=(-DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF)
  gtest_ver=$(dpkg-query -W -f='${Version}' googletest | tr ':~' '__')
  gtest_prefix="$cache/googletest-$gtest_ver$gtest_suffix-$(
    cat "$toolchain" - <<<"Release $gtest_flags ${gtest_args[*]}" | hash_of)"
  if missing_build "$gtest_prefix"; then
    say "cross-building GoogleTest into $gtest_prefix"
    cross_cmake /usr/src/googletest "$cache/build-gtest" "$gtest_prefix" Release \
      "$gtest_flags" "${gtest_args[@]}"
    touch "$gtest_prefix/.done"
  fi
  deps_prefixes="$zlib_prefix;$png_prefix;$jpeg_prefix;$gtest_prefix"
}

cross_build_dependencies "$root/cmake/mingw-i686.cmake" ""
deps_32=$deps_prefixes
# A machine that needs the WoW64 Wine may run no 32-bit code at all (its
# kernel lacks IA-32 emulation). Its Wine still runs 64-bit Windows
# programs, so the Windows tests are built a second time for x86_64 there.
deps_64=
if [ "$wine_kind" = wow64 ]; then
  cross_build_dependencies "$root/cmake/mingw-x86_64.cmake" "-x86_64"
  deps_64=$deps_prefixes
fi
cross_build_dependencies "" ""
deps_host=$deps_prefixes

# --- Wine -----------------------------------------------------------------------
wine_bin= wine_arch=win32 wine_wow64=1
if [ "$wine_kind" = wow64 ]; then
  wine_dsc=$(source_of wine)
  # The key holds the build's steps (the script itself) and the
  # configuration they describe, so that a change of either builds anew.
  wine_prefix="$cache/wine-$(version_of "$wine_dsc")-wow64-$(
    { cat "$here/build-wine.sh"; bash "$here/build-wine.sh" --describe; } | hash_of)"
  if missing_build "$wine_prefix"; then
    say "this machine cannot run 32-bit Linux programs (Debian's wine32): building"
    say "Wine in its new WoW64 mode into $wine_prefix, once: about an hour"
    say "on two cores (log: $cache/build-wine.log)"
    bash "$here/build-wine.sh" "$(unpacked_of "$wine_dsc")" "$wine_prefix" "$cache/build-wine" \
      >"$cache/build-wine.log" 2>&1 || fail "the Wine build failed; see $cache/build-wine.log"
    bash "$here/build-wine.sh" --describe >"$wine_prefix/.done"
    rm -rf "$cache/build-wine"
  fi
  wine_bin="$wine_prefix/bin"
  # Its prefixes are 64-bit already; a second kind there would be the same.
  wine_arch=win64 wine_wow64=0
fi

echo "MORVANE_DEPS_PREFIXES_64=$deps_64"
echo "MORVANE_DEPS_PREFIXES=$deps_32"
echo "MORVANE_HOST_DEPS_PREFIXES=$deps_host"
echo "MORVANE_WINE_BIN=$wine_bin"
echo "MORVANE_WINE_ARCH=$wine_arch"
echo "MORVANE_WINE_WOW64=$wine_wow64"

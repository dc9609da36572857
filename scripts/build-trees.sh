# Sourced by the scripts: installs what is missing, then configures and
# builds the host tree ($build/host) and the Windows tree ($build/windows).
# The bootstrap's last lines say where the dependencies and the Wine are;
# they stay exported for the caller (MORVANE_DEPS_PREFIXES,
# MORVANE_DEPS_PREFIXES_64, MORVANE_HOST_DEPS_PREFIXES, MORVANE_WINE_BIN,
# MORVANE_WINE_ARCH, MORVANE_WINE_WOW64).
bootstrap_output=$(bash "$root/scripts/bootstrap.sh")
for name in MORVANE_DEPS_PREFIXES MORVANE_DEPS_PREFIXES_64 MORVANE_HOST_DEPS_PREFIXES \
  MORVANE_WINE_BIN MORVANE_WINE_ARCH MORVANE_WINE_WOW64; do
  export "$name=$(sed -n "s/^$name=//p" <<<"$bootstrap_output" | tail -n1)"
done
unset bootstrap_output name

# The fuzz targets link the host's build of the product's lean libraries.
configure_host() {
  cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DMORVANE_FUZZ_DEPS_PREFIXES="$MORVANE_HOST_DEPS_PREFIXES" >/dev/null
}

build_host() {
  configure_host
  cmake --build "$build/host"
}

# The Windows tree runs host tools (the template compiler) of the host tree.
# With an argument, builds only that target of the Windows tree.
build_windows() {
  build_windows_tree windows mingw-i686 "$MORVANE_DEPS_PREFIXES" "$@"
}

# The same tree built for x86_64 into $build/windows64: the test twins, for a
# machine whose Wine runs 64-bit Windows programs but no 32-bit ones. The
# setup program itself is always the 32-bit one of $build/windows.
build_windows64() {
  [ -n "$MORVANE_DEPS_PREFIXES_64" ] || {
    echo "no x86_64 dependencies: the bootstrap builds them only for the WoW64 Wine" >&2
    return 1
  }
  build_windows_tree windows64 mingw-x86_64 "$MORVANE_DEPS_PREFIXES_64" "$@"
}

build_windows_tree() { # folder toolchain dependency-prefixes [target]
  configure_host
  cmake --build "$build/host" --target morvane-template-compiler
  cmake -S "$root" -B "$build/$1" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" \
    -DMORVANE_DEPS_PREFIXES="$3" \
    -DMORVANE_WINE_BIN="$MORVANE_WINE_BIN" -DMORVANE_WINE_ARCH="$MORVANE_WINE_ARCH" \
    -DMORVANE_WINE_WOW64="$MORVANE_WINE_WOW64" \
    -DMORVANE_TEMPLATE_COMPILER="$build/host/tools/template_compiler/morvane-template-compiler" \
    >/dev/null
  cmake --build "$build/$1" ${4:+--target "$4"}
}

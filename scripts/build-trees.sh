# Sourced by the scripts: installs what is missing, then configures and
# builds the host tree ($build/host) and the Windows tree ($build/windows).
# The bootstrap's last lines say where the dependencies and the Wine are;
# they stay exported for the caller (MORVANE_DEPS_PREFIXES, MORVANE_WINE_BIN,
# MORVANE_WINE_ARCH).
bootstrap_output=$(bash "$root/scripts/bootstrap.sh")
for name in MORVANE_DEPS_PREFIXES MORVANE_WINE_BIN MORVANE_WINE_ARCH; do
  export "$name=$(sed -n "s/^$name=//p" <<<"$bootstrap_output" | tail -n1)"
done
unset bootstrap_output name

configure_host() {
  cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
}

build_host() {
  configure_host
  cmake --build "$build/host"
}

# The Windows tree runs host tools (the template compiler) of the host tree.
# With an argument, builds only that target of the Windows tree.
build_windows() {
  configure_host
  cmake --build "$build/host" --target morvane-template-compiler
  cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DMORVANE_DEPS_PREFIXES="$MORVANE_DEPS_PREFIXES" \
    -DMORVANE_WINE_BIN="$MORVANE_WINE_BIN" -DMORVANE_WINE_ARCH="$MORVANE_WINE_ARCH" \
    -DMORVANE_TEMPLATE_COMPILER="$build/host/tools/template_compiler/morvane-template-compiler" \
    >/dev/null
  cmake --build "$build/windows" ${1:+--target "$1"}
}

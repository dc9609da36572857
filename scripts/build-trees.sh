# Sourced by the scripts: installs what is missing, then configures and
# builds the host tree ($build/host) and the Windows tree ($build/windows).
deps=$(bash "$root/scripts/bootstrap.sh" | tail -n1)

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
    -DMORVANE_DEPS_PREFIXES="$deps" -DCMAKE_PREFIX_PATH="$deps" \
    -DMORVANE_TEMPLATE_COMPILER="$build/host/tools/template_compiler/morvane-template-compiler" \
    >/dev/null
  cmake --build "$build/windows" ${1:+--target "$1"}
}

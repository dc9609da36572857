# The Windows tree's cross-built libraries (zlib's inflate, libpng,
# libjpeg-turbo, GoogleTest) and the Wine that runs its tests, as
# scripts/bootstrap.sh made them. The build scripts pass what the bootstrap
# printed; a tree configured without them (the "windows" preset) asks
# `scripts/bootstrap.sh --locate`, which only looks and fails when something
# is not built yet.
set(MORVANE_DEPS_PREFIXES "" CACHE STRING
    "The dependency prefixes (empty: ask scripts/bootstrap.sh --locate)")
set(MORVANE_WINE_BIN "" CACHE PATH "The folder of the wine that runs the tests (empty: PATH's)")
set(MORVANE_WINE_ARCH "" CACHE STRING
    "The kind of prefix that Wine makes: win32 or win64 (empty: ask the bootstrap)")
set(MORVANE_WINE_WOW64 "" CACHE STRING
    "1 when that Wine also makes 64-bit prefixes for the WOW64 runs (empty: ask the bootstrap)")

if(NOT MORVANE_DEPS_PREFIXES OR NOT MORVANE_WINE_ARCH OR MORVANE_WINE_WOW64 STREQUAL "")
  execute_process(COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/bootstrap.sh" --locate
                  OUTPUT_VARIABLE _located ERROR_VARIABLE _why RESULT_VARIABLE _failed)
  if(_failed)
    message(FATAL_ERROR "${_why}The dependencies of the Windows tree are not all built: run "
                        "scripts/bootstrap.sh (scripts/test.sh runs it) first.")
  endif()
  set(_names)
  if(NOT MORVANE_DEPS_PREFIXES)
    list(APPEND _names MORVANE_DEPS_PREFIXES)
  endif()
  if(NOT MORVANE_WINE_ARCH OR MORVANE_WINE_WOW64 STREQUAL "")
    list(APPEND _names MORVANE_WINE_BIN MORVANE_WINE_ARCH MORVANE_WINE_WOW64)
  endif()
  foreach(_name IN LISTS _names)
    if(NOT _located MATCHES "(^|\n)${_name}=([^\n]*)")
      message(FATAL_ERROR "scripts/bootstrap.sh --locate did not say ${_name}")
    endif()
    set(${_name} "${CMAKE_MATCH_2}")
  endforeach()
endif()
message(STATUS "Dependencies: ${MORVANE_DEPS_PREFIXES}")
message(STATUS "Wine: ${MORVANE_WINE_BIN} (${MORVANE_WINE_ARCH} prefixes; WOW64 runs: "
               "${MORVANE_WINE_WOW64})")

# What find_package found in the prefixes of an earlier configuration stays
# in the cache; a dependency that the bootstrap built anew (another
# configuration, another version) lives in a new prefix, and the tree must
# not go on with the old one's headers and libraries.
if(NOT "${MORVANE_DEPS_PREFIXES}" STREQUAL "${_MORVANE_DEPS_FOUND_IN}")
  foreach(_found ZLIB_INCLUDE_DIR ZLIB_LIBRARY ZLIB_LIBRARY_RELEASE ZLIB_LIBRARY_DEBUG
                 PNG_PNG_INCLUDE_DIR PNG_LIBRARY PNG_LIBRARY_RELEASE PNG_LIBRARY_DEBUG
                 JPEG_INCLUDE_DIR JPEG_LIBRARY JPEG_LIBRARY_RELEASE JPEG_LIBRARY_DEBUG GTest_DIR)
    unset(${_found} CACHE)
  endforeach()
  set(_MORVANE_DEPS_FOUND_IN "${MORVANE_DEPS_PREFIXES}" CACHE INTERNAL "")
endif()

# The prefixes come before the toolchain's own folder: CMake searches the
# find roots one after the other, and the toolchain's folder holds Debian's
# libz (libz-mingw-w64-dev), which must not stand in for the lean zlib that
# libpng was built against.
list(PREPEND CMAKE_FIND_ROOT_PATH ${MORVANE_DEPS_PREFIXES})
list(PREPEND CMAKE_PREFIX_PATH ${MORVANE_DEPS_PREFIXES})

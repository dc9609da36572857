# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix thread model,
# which GoogleTest needs). Only the test twins of the Windows tree are built so,
# on a machine whose Wine runs 64-bit Windows programs but no 32-bit ones.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

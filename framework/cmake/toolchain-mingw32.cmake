# Cross-build for 32-bit Windows (the shipped programs) with the posix-thread mingw-w64 compilers.
set(TEMBRA_TARGET_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

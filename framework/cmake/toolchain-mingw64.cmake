# Cross-build for 64-bit Windows: the same sources, used to run the tests under 64-bit Wine on
# machines whose kernel cannot execute 32-bit processes (and so cannot run 32-bit Wine).
set(TEMBRA_TARGET_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

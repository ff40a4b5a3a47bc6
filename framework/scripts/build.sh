#!/usr/bin/env bash
# Builds every tree, each with its tests, and fails on any compiler warning:
#  - build/win32: the shipped 32-bit programs (dist/, build/TembraClock.zip) and their Win32
#    tests, on every machine, so that what only a 32-bit build rejects (a callback that is not
#    stdcall, say) fails here even where only 64-bit Wine can run the tests;
#  - build/win64: the same sources for 64-bit Windows; its tests are the ones run where
#    32-bit processes cannot run (wine-arch.sh), and it is built everywhere to stay clean;
#  - build/native, unless told "win": the portable code with sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
jobs=$(nproc)

configure() {  # dir [toolchain]
  local toolchain=() type=Release
  if [[ -n ${2:-} ]]; then
    toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/framework/cmake/$2")
  else
    type=Debug
  fi
  cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE=$type "${toolchain[@]}" \
    -DTEMBRA_TESTS=ON -DTEMBRA_WERROR=ON >/dev/null
}

configure win32 toolchain-mingw32.cmake
cmake --build "$root/build/win32" -j "$jobs"
configure win64 toolchain-mingw64.cmake
cmake --build "$root/build/win64" -j "$jobs"

if [[ ${1:-all} != win ]]; then
  configure native
  cmake --build "$root/build/native" -j "$jobs"
fi

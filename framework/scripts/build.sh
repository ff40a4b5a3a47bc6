#!/usr/bin/env bash
# Builds the shipped 32-bit programs (build/win32, dist/), the Win32 tests for the Wine this
# machine runs (build/win32, or build/win64 where 32-bit processes cannot run) and, unless
# told "win", the portable code natively with sanitizers (build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
jobs=$(nproc)
arch=$("$root/framework/scripts/wine-arch.sh")

configure() {  # dir toolchain tests(ON|OFF)
  cmake -S "$root" -B "$root/build/$1" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/framework/cmake/$2" -DTEMBRA_TESTS="$3" >/dev/null
}

if [[ $arch == win32 ]]; then
  configure win32 toolchain-mingw32.cmake ON
  cmake --build "$root/build/win32" -j "$jobs"
else
  configure win32 toolchain-mingw32.cmake OFF
  cmake --build "$root/build/win32" -j "$jobs"
  configure win64 toolchain-mingw64.cmake ON
  cmake --build "$root/build/win64" -j "$jobs"
fi

if [[ ${1:-all} != win ]]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Exits non-zero on failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

framework/scripts/setup.sh
framework/scripts/build.sh

echo "== portable code, native with sanitizers"
ctest --test-dir build/native -j "$(nproc)" --output-on-failure

source framework/scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build"
echo "== Win32 code under Wine ($TEMBRA_WINE_ARCH)"
ctest --test-dir "build/$TEMBRA_WINE_ARCH" -j 2 --output-on-failure

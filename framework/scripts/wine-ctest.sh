#!/usr/bin/env bash
# Runs CTest on the Win32 test build inside a fresh Wine test session:
#   framework/scripts/wine-ctest.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/framework/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "${TEMBRA_SESSION_DIR:-$root/build}"
ctest --test-dir "$root/build/$TEMBRA_WINE_ARCH" --output-on-failure "$@"

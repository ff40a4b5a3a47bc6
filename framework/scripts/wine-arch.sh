#!/usr/bin/env bash
# Prints which Wine the tests can use here: "win32" when this kernel runs 32-bit processes
# (32-bit Wine, the programs as shipped), else "win64" (64-bit Wine and a 64-bit build of the
# same sources; some virtual machines have no 32-bit user mode at all).
# TEMBRA_WINE_ARCH=win32|win64 in the environment decides instead, e.g. to try the win64
# path on a machine that could run either.
case ${TEMBRA_WINE_ARCH:-} in
  win32|win64) echo "$TEMBRA_WINE_ARCH"; exit 0 ;;
  "") ;;
  *) echo "wine-arch.sh: TEMBRA_WINE_ARCH must be win32 or win64, not '$TEMBRA_WINE_ARCH'" >&2; exit 1 ;;
esac
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi

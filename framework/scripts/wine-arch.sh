#!/usr/bin/env bash
# Prints which Wine the tests can use here: "win32" when this kernel runs 32-bit processes
# (32-bit Wine, the programs as shipped), else "win64" (64-bit Wine and a 64-bit build of the
# same sources; some virtual machines have no 32-bit user mode at all).
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi

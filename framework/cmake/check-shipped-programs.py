#!/usr/bin/env python3
"""Fails when a shipped program carries the test builds' recorder of outside actions.

usage: check-shipped-programs.py BUILD_DIR PROGRAM... [--dist DIST_DIR ZIP]

The recorder is switched on by an environment variable, whose name it holds: the shipped
programs (BUILD_DIR/bin, and dist/ with its zip when given) must not contain that name, the
test builds (BUILD_DIR/testbin) must, or this check could not see it.
"""
import os
import sys
import zipfile

SWITCH = b"TEMBRA_RECORD_SYSTEM_CALLS"


def main():
    args = sys.argv[1:]
    dist = None
    if "--dist" in args:
        at = args.index("--dist")
        dist = args[at + 1:at + 3]
        args = args[:at]
    build, programs = args[0], args[1:]
    shipped, faults = {}, []
    for program in programs:
        name = program + ".exe"
        with open(os.path.join(build, "bin", name), "rb") as f:
            shipped["bin/" + name] = f.read()
        with open(os.path.join(build, "testbin", name), "rb") as f:
            if SWITCH not in f.read():
                faults.append("testbin/%s lacks the recorder: this check sees nothing" % name)
        if dist:
            with open(os.path.join(dist[0], name), "rb") as f:
                shipped["dist/" + name] = f.read()
    if dist:
        with zipfile.ZipFile(dist[1]) as z:
            for member in z.namelist():
                if member.lower().endswith(".exe"):
                    shipped["zip:" + member] = z.read(member)
    for where, data in sorted(shipped.items()):
        if SWITCH in data:
            faults.append("%s holds the test switch %s" % (where, SWITCH.decode()))
    for fault in faults:
        print(fault)
    print("%d shipped files checked" % len(shipped))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

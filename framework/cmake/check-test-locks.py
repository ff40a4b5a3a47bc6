#!/usr/bin/env python3
"""Fails when a test lacks a resource lock that its target was declared with.

usage: check-test-locks.py CTEST BUILD_DIR TARGET=LOCK[,LOCK...]...

Reads the tests as CTest itself will run them (ctest --show-only=json-v1), so a lock lost
anywhere between the declaration and CTest (a flattened list, a forgotten property) shows.
"""
import json
import os
import subprocess
import sys


def target_of(test):
    for arg in test.get("command", []):
        base = os.path.basename(arg)
        if base.lower().endswith(".exe"):
            return base[:-4]
    return test["name"]


def main():
    ctest, build = sys.argv[1], sys.argv[2]
    declared = {}
    for entry in sys.argv[3:]:
        target, _, locks = entry.partition("=")
        declared[target] = set(filter(None, locks.split(",")))

    shown = subprocess.run([ctest, "--test-dir", build, "--show-only=json-v1"],
                           check=True, capture_output=True, text=True).stdout
    tests = json.loads(shown)["tests"]

    faults = []
    seen = {target: 0 for target in declared}
    for test in tests:
        target = target_of(test)
        if target not in declared:
            continue
        seen[target] += 1
        held = set()
        for prop in test.get("properties", []):
            if prop["name"] == "RESOURCE_LOCK":
                held = set(prop["value"])
        missing = declared[target] - held
        if missing:
            faults.append(f"{test['name']} ({target}) lacks {', '.join(sorted(missing))}")
    for target, count in seen.items():
        if count == 0:
            faults.append(f"{target}: no test found")

    for fault in faults:
        print(fault)
    print(f"{sum(seen.values())} tests of {len(declared)} targets checked, "
          f"{len(faults)} without their locks")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

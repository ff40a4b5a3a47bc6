#!/usr/bin/env bash
# Fuzzes the code that reads what others wrote (a server's reply, "servers.lst", command lines,
# stored texts and options) with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer:
#   ./fuzz.sh [seconds-per-target] [target ...]     (default 60 seconds, every target)
# Prints each target's executions and faults; exits non-zero when a target found one.
# New interesting inputs collect in build/fuzz/work/TARGET; a faulting input is saved in
# build/fuzz/artifacts/ (copy it into the target's tests/fuzz/corpus/ once fixed, so the
# native tests replay it).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
seconds=${1:-60}
shift || true

framework/scripts/setup.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTEMBRA_FUZZ=ON -DTEMBRA_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)" >/dev/null

targets=("$@")
if ((${#targets[@]} == 0)); then
  for exe in build/fuzz/fuzz/fuzz_*; do targets+=("${exe##*/fuzz_}"); done
fi

mkdir -p build/fuzz/artifacts
failed=0
for target in "${targets[@]}"; do
  corpus=$(find "$root" -path "$root/build" -prune -o -type d -path "*/tests/fuzz/corpus/$target" -print)
  work=build/fuzz/work/$target
  mkdir -p "$work"
  log=build/fuzz/$target.log
  status=0
  "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
    -artifact_prefix="build/fuzz/artifacts/$target-" "$work" $corpus >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  faults=$(find build/fuzz/artifacts -name "$target-*" | wc -l)
  printf '%-20s %10s executions in %s s, %s faults, exit %s\n' "$target" "${runs:-?}" "$seconds" "$faults" "$status"
  if ((status != 0 || faults > 0)); then
    failed=1
    grep -m3 -E 'ERROR|runtime error|SUMMARY' "$log" || true
  fi
done
exit $failed

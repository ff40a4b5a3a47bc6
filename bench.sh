#!/usr/bin/env bash
# Builds and prints the benchmark figures (not part of the tests):
#   ./bench.sh [tick-lag-seconds]   (default 180; the working set is read after a minute)
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
framework/scripts/setup.sh
framework/scripts/build.sh win
source framework/scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start "$root/build" 1
build=$root/build/$TEMBRA_WINE_ARCH
run() { TEMBRA_WINE_MODE=${MODE:-null} framework/cmake/wine-run.sh "$@"; }

echo "== clock: ticks, start-up, memory"
run "$build/clock/clock_bench.exe" "${1:-180}"
if [[ -f $build/clock/clock_face_bench.exe ]]; then
  echo "== clock face"
  MODE=x11 run "$build/clock/clock_face_bench.exe"
fi
if [[ -f $build/clock/clock_events_bench.exe ]]; then
  echo "== events"
  run "$build/clock/clock_events_bench.exe"
fi
if [[ -f $build/settings/settings_events_bench.exe ]]; then
  echo "== events: the settings program's Events page"
  run "$build/settings/settings_events_bench.exe"
fi
if [[ -f $build/settings/settings_bench.exe ]]; then
  echo "== settings program"
  run "$build/settings/settings_bench.exe"
fi
if [[ -f $build/settings/settings_apply_bench.exe ]]; then
  echo "== settings: Apply to the running clock"
  run "$build/settings/settings_apply_bench.exe"
fi
if [[ -x nettime/bench/run-bench.sh ]]; then
  echo "== internet time"
  nettime/bench/run-bench.sh
fi

#!/usr/bin/env bash
# Chronet benchmark (not part of the tests):
#  - accuracy: 50 exchanges against chronyd shifted by +1234.567 s with libfaketime, side
#    by side with chronyd -Q asking the same server;
#  - the run time of a report-only run of Chronet.exe against three local servers, beside
#    the time a bare program takes to show its first window;
#  - how far from the servers' time a run sets the clock (through the seam, never for real),
#    against servers 0.734 s ahead, and against servers +3595.266 s and -4.734 s (both find
#    this clock 4.734 s fast, whole hours aside), beside the whole-second correction the
#    program made before.
# Usage: run-bench.sh [BUILD_DIR]   (default build/win64; needs the Wine test session's
# environment, e.g. after `source framework/scripts/wine-session.sh; wine_session_start build`)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/${TEMBRA_WINE_ARCH:-win64}}
work=$build/chronet-bench
# chronyd takes its receive timestamps from the kernel, which libfaketime does not shift: a
# server shifted by less than chronyd's plausibility limit answers with half its shift. The
# clock-setting runs ask fake servers, whose answers are exact.
servers=(127.0.0.222 127.0.0.223:+1234.567 127.0.0.224
         127.0.0.225=0.734 127.0.0.226=0.734 127.0.0.227=0.734
         127.0.0.228=3595.266 127.0.0.229=-4.734)
shifted=127.0.0.223
shift_s=1234.567

cmake --build "$build" --target ChronetBench Chronet BareWindow ClockSettingBench >/dev/null
mkdir -p "$work/app"
trap '"$here/../tests/ntp-servers.sh" stop "$work/ntp"' EXIT
"$here/../tests/ntp-servers.sh" start "$work/ntp" "${servers[@]}"

echo "== standard client: chronyd -Q against $shifted (10 runs, each a burst of samples)"
errors=()
for i in $(seq 1 10); do
  line=$(chronyd -Q -u root "server $shifted iburst" "pidfile $work/q.pid" "cmdport 0" \
         "bindcmdaddress /" 2>&1 | grep -o 'wrong by [-0-9.]* seconds' || true)
  value=${line#wrong by }; value=${value% seconds}
  [[ -n $value ]] && errors+=("$(python3 -c "print(abs($value - $shift_s) * 1e3)")")
done
printf '%s\n' "${errors[@]}" | sort -g | python3 -c '
import sys
v = [float(x) for x in sys.stdin if x.strip()]
print(f"chronyd -Q: {len(v)} runs, offset error median {v[len(v)//2]:.3f} ms, worst {v[-1]:.3f} ms" if v else "chronyd -Q: no answers")'

cp "$build/bin/Chronet.exe" "$build/nettime/BareWindow.exe" "$work/app/"
printf '%s\r\n' 127.0.0.222 127.0.0.223 127.0.0.224 >"$work/app/servers.lst"
echo "== Chronet"
winfolder="Z:$(echo "$work/app" | tr / '\\')"
TEMBRA_WINE_MODE=null "$root/framework/cmake/wine-run.sh" "$build/nettime/ChronetBench.exe" \
  "$shifted" "$shift_s" 50 "$winfolder"

echo "== Chronet: the time handed to the clock-setting seam against the servers' time"
echo "three servers 0.734 s ahead:"
TEMBRA_WINE_MODE=null "$root/framework/cmake/wine-run.sh" "$build/nettime/ClockSettingBench.exe" \
  7 0.734 127.0.0.225 127.0.0.226 127.0.0.227
echo "servers +3595.266 s and -4.734 s (the clock 4.734 s fast, whole hours aside):"
TEMBRA_WINE_MODE=null "$root/framework/cmake/wine-run.sh" "$build/nettime/ClockSettingBench.exe" \
  7 -4.734 127.0.0.228 127.0.0.229

#!/usr/bin/env bash
# Installs what is missing, builds, and starts one of the programs under Wine:
#   ./run.sh            the clock (TembraClock.exe)
#   ./run.sh settings   the settings program (TCSets.exe)
#   ./run.sh nettime    the internet time program (Chronet.exe)
# A second argument sets the system DPI the program sees (96 unless given), e.g.
#   ./run.sh settings 144   the settings program at 150 %
# With DISPLAY set the program shows there. Without one it runs on a private virtual display,
# a screenshot is saved under build/ a few seconds after start, and it keeps running until
# interrupted (Ctrl+C).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

case "${1:-clock}" in
  clock) exe=TembraClock.exe ;;
  settings) exe=TCSets.exe ;;
  nettime) exe=Chronet.exe ;;
  *) echo "usage: $0 [clock|settings|nettime] [dpi]" >&2; exit 2 ;;
esac
name=${exe%.exe}
dpi=${2:-96}
if ! [[ $dpi =~ ^[0-9]+$ ]] || ((dpi < 96 || dpi > 480)); then
  echo "run.sh: the DPI is a number from 96 to 480" >&2; exit 2
fi

framework/scripts/setup.sh
framework/scripts/build.sh win
source framework/scripts/wine-session.sh
_tembra_pick_wine
bin=$root/build/$TEMBRA_WINE_ARCH/bin
if [[ ! -f $bin/$exe ]]; then
  echo "run.sh: $exe is not part of this build yet" >&2
  exit 1
fi

export WINEPREFIX=$root/build/wine/$TEMBRA_WINE_ARCH-run
export WINEDEBUG=-all LANG=zh_CN.UTF-8
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="

xvfb_pid= openbox_pid= app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  [[ -n $openbox_pid ]] && kill "$openbox_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
  n=$(_tembra_free_display)
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.05; done
  openbox >/dev/null 2>&1 &
  openbox_pid=$!
  headless=1
else
  headless=
fi
_tembra_prefix_init "$WINEPREFIX" x11
# Every process of the prefix takes its system DPI from here at its start.
"$TEMBRA_WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
  >/dev/null 2>&1 </dev/null
# A coloured desktop, so a transparent clock's shape shows in the screenshot.
[[ -n $headless ]] && { xsetroot -solid '#3a6ea5' 2>/dev/null || true; }

echo "run.sh: starting $exe (Wine $TEMBRA_WINE_ARCH, display $DISPLAY, $dpi DPI)"
"$TEMBRA_WINE_LOADER" "$bin/$exe" &
app_pid=$!

if [[ -n $headless ]]; then
  sleep 5
  shot=$root/build/screenshot-$name.png
  [[ $dpi != 96 ]] && shot=$root/build/screenshot-$name-$dpi.png
  xwd -root -silent | convert xwd:- "$shot"
  echo "run.sh: screenshot of the running $name saved to $shot"
  echo "run.sh: $name keeps running on the virtual display $DISPLAY; press Ctrl+C to stop it"
fi
wait "$app_pid" || true

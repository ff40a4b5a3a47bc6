#!/usr/bin/env bash
# Runs a Windows test program under Wine in the prefix that the test session prepared.
# TEMBRA_WINE_MODE=x11 picks the prefix bound to the session's Xvfb display, hidpi the
# headless prefix whose system DPI is 144; otherwise the headless prefix (Wine's null display
# driver) is used.
if [[ ${TEMBRA_WINE_MODE:-null} == x11 ]]; then
  export WINEPREFIX=${TEMBRA_WINEPREFIX_X11:?test session not started (wine-session.sh)}
  export DISPLAY=${TEMBRA_DISPLAY:?}
elif [[ ${TEMBRA_WINE_MODE:-null} == hidpi ]]; then
  export WINEPREFIX=${TEMBRA_WINEPREFIX_HIDPI:?test session not started (wine-session.sh)}
  unset DISPLAY
else
  export WINEPREFIX=${TEMBRA_WINEPREFIX_NULL:?test session not started (wine-session.sh)}
  unset DISPLAY
fi
# Loader errors stay visible: they are the only trace of a process that Wine failed to start.
export WINEDEBUG=${WINEDEBUG:--all,err+module,err+virtual}
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
loader=${TEMBRA_WINE_LOADER:?}

# Every test program prints before it does anything else. A failure with no output at all
# means Wine never got the program running (seen rarely, right at process start); that
# says nothing about the code under test, so it is reported and the program started again.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2 3; do
  started=$(date +%s%N)
  "$loader" "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  if [[ $rc == 0 || -s $log || $attempt == 3 ]]; then exit "$rc"; fi
  echo "wine-run: $1 did not start (status $rc after $(( ($(date +%s%N) - started) / 1000000 )) ms); starting it again"
done

#!/usr/bin/env bash
# Runs a Windows test program under Wine in the prefix that the test session prepared.
# TEMBRA_WINE_MODE=x11 picks the prefix bound to the session's Xvfb display; otherwise
# the headless prefix (Wine's null display driver) is used.
if [[ ${TEMBRA_WINE_MODE:-null} == x11 ]]; then
  export WINEPREFIX=${TEMBRA_WINEPREFIX_X11:?test session not started (wine-session.sh)}
  export DISPLAY=${TEMBRA_DISPLAY:?}
else
  export WINEPREFIX=${TEMBRA_WINEPREFIX_NULL:?test session not started (wine-session.sh)}
  unset DISPLAY
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
exec "${TEMBRA_WINE_LOADER:?}" "$@"

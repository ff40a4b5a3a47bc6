#!/usr/bin/env bash
# Prepares and tears down what the Win32 tests run in:
#   - a headless 32-bit Wine prefix using Wine's null display driver;
#   - a copy of it with a system DPI of 144 (150 %), for tests of drawing at high DPI;
#   - a second prefix bound to a private Xvfb display with openbox, for tests that need pixels.
# Usage: source wine-session.sh; wine_session_start BUILD_DIR; ...; wine_session_stop
# Everything started here is stopped by PID (Xvfb, openbox) or through its own prefix's
# wineserver; nothing else on the machine is touched.

# Exports the Wine of this machine: 32-bit where the kernel runs 32-bit processes, else 64-bit.
_tembra_pick_wine() {
  export TEMBRA_WINE_ARCH; TEMBRA_WINE_ARCH=$("$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh")
  if [[ $TEMBRA_WINE_ARCH == win32 ]]; then
    export TEMBRA_WINE_LOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
  else
    export TEMBRA_WINE_LOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  fi
  export WINELOADER=$TEMBRA_WINE_LOADER
}

# Creates the prefix once; later runs reuse it.
_tembra_prefix_init() {  # prefix mode(null|x11)
  local prefix=$1 mode=$2
  if [[ -f $prefix/.tembra-ready ]]; then return 0; fi
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  echo "wine-session: creating $mode prefix $prefix"
  (
    export WINEPREFIX=$prefix WINEARCH=$TEMBRA_WINE_ARCH WINEDEBUG=-all LANG=zh_CN.UTF-8
    export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv,wineoss.drv=d;mscoree,mshtml="
    [[ $mode == null ]] && unset DISPLAY
    wine() { "$TEMBRA_WINE_LOADER" "$@"; }
    wine wineboot -i >/dev/null 2>&1 </dev/null
    # Wine finds Tahoma and Marlett only inside the prefix (caption buttons, dialog text).
    cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v SimSun /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "宋体" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    if [[ $mode == null ]]; then
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    "$WINESERVER" -w
  )
  touch "$prefix/.tembra-ready"
}

# A copy of a ready prefix whose processes all get another system DPI.
_tembra_prefix_with_dpi() {  # from to dpi
  local from=$1 to=$2 dpi=$3
  if [[ -f $to/.tembra-ready ]]; then return 0; fi
  rm -rf "$to"
  echo "wine-session: creating $dpi-DPI prefix $to"
  cp -a "$from" "$to"
  rm -f "$to/.tembra-ready"
  (
    export WINEPREFIX=$to WINEDEBUG=-all; unset DISPLAY
    "$TEMBRA_WINE_LOADER" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1 </dev/null
    "$WINESERVER" -w
  )
  touch "$to/.tembra-ready"
}

_tembra_free_display() {
  local n
  for n in $(seq 91 140); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then echo "$n"; return; fi
  done
  return 1
}

wine_session_start() {  # build_dir [with_x=1]
  local build=$1 withx=${2:-1}
  _tembra_pick_wine
  export TEMBRA_WINEPREFIX_NULL=$build/wine/$TEMBRA_WINE_ARCH-null
  export TEMBRA_WINEPREFIX_X11=$build/wine/$TEMBRA_WINE_ARCH-x11
  export TEMBRA_WINEPREFIX_HIDPI=$build/wine/$TEMBRA_WINE_ARCH-null144
  _tembra_prefix_init "$TEMBRA_WINEPREFIX_NULL" null
  _tembra_prefix_with_dpi "$TEMBRA_WINEPREFIX_NULL" "$TEMBRA_WINEPREFIX_HIDPI" 144
  if [[ $withx == 1 ]]; then
    local n; n=$(_tembra_free_display)
    export TEMBRA_DISPLAY=:$n
    Xvfb "$TEMBRA_DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    TEMBRA_XVFB_PID=$!
    for _ in $(seq 1 100); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.05; done
    DISPLAY=$TEMBRA_DISPLAY openbox >/dev/null 2>&1 &
    TEMBRA_OPENBOX_PID=$!
    DISPLAY=$TEMBRA_DISPLAY _tembra_prefix_init "$TEMBRA_WINEPREFIX_X11" x11
  fi
  # A warm wineserver per prefix for the whole run: the first wine process of a cold prefix
  # starts services that would otherwise hold the first test's output pipe open.
  local p
  for p in "$TEMBRA_WINEPREFIX_NULL" "$TEMBRA_WINEPREFIX_HIDPI" ${TEMBRA_DISPLAY:+"$TEMBRA_WINEPREFIX_X11"}; do
    (
      export WINEPREFIX=$p WINEDEBUG=-all LANG=zh_CN.UTF-8
      if [[ $p != "$TEMBRA_WINEPREFIX_X11" ]]; then unset DISPLAY; else export DISPLAY=$TEMBRA_DISPLAY; fi
      "$WINESERVER" -p
      "$TEMBRA_WINE_LOADER" wineboot >/dev/null 2>&1 </dev/null
    )
  done
}

wine_session_stop() {
  local p
  for p in "${TEMBRA_WINEPREFIX_NULL:-}" "${TEMBRA_WINEPREFIX_HIDPI:-}" "${TEMBRA_WINEPREFIX_X11:-}"; do
    [[ -n $p && -d $p ]] && WINEPREFIX=$p "${WINESERVER:-wineserver}" -k 2>/dev/null || true
  done
  [[ -n ${TEMBRA_OPENBOX_PID:-} ]] && kill "$TEMBRA_OPENBOX_PID" 2>/dev/null || true
  [[ -n ${TEMBRA_XVFB_PID:-} ]] && kill "$TEMBRA_XVFB_PID" 2>/dev/null || true
  unset TEMBRA_OPENBOX_PID TEMBRA_XVFB_PID
}

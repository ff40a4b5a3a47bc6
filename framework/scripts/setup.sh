#!/usr/bin/env bash
# Installs whatever the build, the tests and run.sh need on Debian 12, and only what is missing.
# Further packages a script needs beyond those may be named as arguments.
set -euo pipefail

PACKAGES=(
  wine wine32:i386 fonts-wine fonts-wqy-microhei
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine64
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  cmake make g++ googletest
  xvfb x11-utils x11-apps x11-xserver-utils imagemagick xdotool openbox
  locales zip chrony faketime util-linux python3
  "$@"
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  NEED_UPDATE=1
fi
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Keep package scripts from starting services: chrony's daemon would discipline the
  # machine's clock. The tests run their own copies, which never touch it.
  guard=
  if [[ ! -e /usr/sbin/policy-rc.d ]]; then
    printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d && chmod +x /usr/sbin/policy-rc.d
    guard=1
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  if [[ -n $guard ]]; then rm -f /usr/sbin/policy-rc.d; fi
elif [[ ${NEED_UPDATE:-} ]]; then
  apt-get update -qq
fi

# Chinese locale so Wine runs with the ANSI code page 936 and X window names come out right.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
# chrony's package starts its daemon; the tests run their own copies and never want the system's.
if systemctl is-active --quiet chrony 2>/dev/null; then systemctl stop chrony || true; fi

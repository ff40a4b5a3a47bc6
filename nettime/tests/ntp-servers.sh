#!/usr/bin/env bash
# Starts or stops the local time servers of the Chronet tests: chronyd instances that serve
# from loopback addresses and never touch this machine's clock (-x, and no CAP_SYS_TIME),
# and, with --fakes, the test servers of fake_ntp_servers.py (127.0.0.124 and up), or with
# ADDRESS=OFFSET arguments, fake servers of exactly those offsets instead of its table.
#   ntp-servers.sh start DIR [--fakes] ADDRESS[:SHIFT] ...   e.g. 127.0.0.122 127.0.0.123:+1234.567
#   ntp-servers.sh start DIR 127.0.0.225=0.734 ...
#   ntp-servers.sh stop DIR
# Each server lives in DIR/<name>/ with its config, pid file and log; stop kills only
# the PIDs written there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cmd=$1 dir=$2
shift 2

stop_all() {
  local pidfile pid
  for pidfile in "$dir"/*/server.pid; do
    [[ -f $pidfile ]] || continue
    pid=$(cat "$pidfile")
    if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
      kill "$pid"
      for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    fi
    rm -f "$pidfile"
  done
}

start_one() {  # address shift
  local address=$1 shift=$2 home="$dir/$1"
  mkdir -p "$home"
  cat >"$home/chrony.conf" <<CONF
port 123
bindaddress $address
allow 127.0.0.0/8
local stratum 8
cmdport 0
bindcmdaddress /
pidfile $home/chronyd.pid
driftfile $home/drift
CONF
  # setpriv execs chronyd in place, so $! is chronyd's own PID. A shifted clock comes from
  # libfaketime preloaded into that same process.
  local preload=""
  [[ -n $shift ]] && preload=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -1)
  LD_PRELOAD=$preload FAKETIME=$shift \
    setpriv --bounding-set -sys_time chronyd -x -u root -f "$home/chrony.conf" -d >"$home/log" 2>&1 &
  echo $! >"$home/server.pid"
  for _ in $(seq 1 200); do
    if python3 "$here/ntp_probe.py" "$address" 123 0.2 >/dev/null; then return 0; fi
    sleep 0.05
  done
  echo "ntp-servers: $address did not answer" >&2
  cat "$home/log" >&2
  return 1
}

start_fakes() {
  local home="$dir/fakes"
  mkdir -p "$home"
  rm -f "$home/ready"
  python3 "$here/fake_ntp_servers.py" 123 "$home/server.pid" "$home/ready" "$@" >"$home/log" 2>&1 &
  for _ in $(seq 1 200); do
    [[ -f $home/ready ]] && return 0
    kill -0 $! 2>/dev/null || break
    sleep 0.05
  done
  echo "ntp-servers: fake servers did not start" >&2
  cat "$home/log" >&2
  return 1
}

case $cmd in
  start)
    mkdir -p "$dir"
    stop_all
    table=
    if [[ ${1:-} == --fakes ]]; then
      shift
      table=1
    fi
    fakes=() chronys=()
    for server in "$@"; do
      if [[ $server == *=* ]]; then fakes+=("$server"); else chronys+=("$server"); fi
    done
    if [[ -n $table || ${#fakes[@]} -gt 0 ]]; then start_fakes "${fakes[@]}"; fi
    for server in "${chronys[@]}"; do
      address=${server%%:*}
      shift_=""
      [[ $server == *:* ]] && shift_=${server#*:}
      start_one "$address" "$shift_"
    done
    ;;
  stop) stop_all ;;
  *) echo "usage: $0 start|stop DIR ..." >&2; exit 2 ;;
esac

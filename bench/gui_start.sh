#!/usr/bin/env bash
# Start-up time of the administration program: from launch until its main
# window is mapped (the queue list is filled before the window is shown),
# against a private CUPS daemon with 10 and with 1000 queues, measured in
# the same run as the floor: xclock launched and mapped the same way.
# Median of several runs each. Targets: within 2 times the floor with 10
# queues, under one second with 1000. The program finds the daemon as any
# client would: libcups's server (here its socket) on the IPP port.
#
#   bench/gui_start.sh [JARN.EXE] [RUNS]     (as root; needs Xvfb, xdotool, xclock)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jarn=${1:-$top/build/bin/Jarn.exe}
runs=${2:-5}
[ -x "$jarn" ] || { echo "gui_start: no program at $jarn (build Jarn.exe first)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-bench-XXXXXX")
xvfb_pid=
cleanup() {
  set +e
  "$top/tests/gui/cups-with-queues.sh" stop "$work/cups"
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do grep -q '^[0-9]' "$work/display" 2>/dev/null && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"

now_ms() { date +%s%3N; }

# Milliseconds from launching "$@" until a visible window of class $class.
time_to_map() {
  local class=$1; shift
  local start end pid
  start=$(now_ms)
  "$@" >/dev/null 2>&1 &
  pid=$!
  # xdotool's own --sync polls only twice a second: poll here instead.
  local tries=0
  until xdotool search --onlyvisible --classname "$class" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 6000 ] || break
    sleep 0.01
  done
  end=$(now_ms)
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  echo $((end - start))
}

. "$(dirname "${BASH_SOURCE[0]}")/bench_lib.sh"

measure() {
  local label=$1 class=$2; shift 2
  local i
  for i in $(seq 1 "$runs"); do time_to_map "$class" "$@"; done | median
}

"$top/tests/gui/cups-with-queues.sh" start "$work/cups"
set -a
. "$work/cups/env"
set +a
export IPP_PORT=$CUPS_TEST_PORT
add_queues() {
  local from=$1 to=$2 i
  for i in $(seq "$from" "$to"); do
    lpadmin -p "bench$i" -v "socket://127.0.0.1:9100" -E >/dev/null 2>&1
  done
}
mkdir -p "$work/jarn"
"$(dirname "$jarn")/jarnctl" info-create "$work/jarn" >/dev/null 2>&1 || true
ln -s "$top/images" "$work/jarn/images"

floor=$(measure xclock xclock xclock)
add_queues 1 10
echo "queues: $(lpstat -p 2>/dev/null | grep -c '^printer')" >&2
ten=$(measure jarn10 jarnMainShell "$jarn" -W"$work/jarn")
add_queues 11 1000
echo "queues: $(lpstat -p 2>/dev/null | grep -c '^printer')" >&2
thousand=$(measure jarn1000 jarnMainShell "$jarn" -W"$work/jarn")

echo "xclock mapped (floor):        ${floor} ms"
echo "Jarn.exe with 10 queues:      ${ten} ms ($(awk -v a="$ten" -v b="$floor" 'BEGIN {printf "%.1f", a / b}') x floor; target 2 x)"
echo "Jarn.exe with 1000 queues:    ${thousand} ms (target under 1000 ms)"

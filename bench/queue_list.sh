#!/usr/bin/env bash
# Benchmark: a full refresh of the main queue list against "lpstat -v" alone,
# on a private CUPS daemon holding 250, 500 and then 1000 queues.
#
#   bench/queue_list.sh [JARNCTL]      (default: build/bin/jarnctl)
#
# For each size it takes the median of RUNS (default 5) timings of
#   lpstat -v                        (one client process)
#   jarnctl list --items             (one process: start-up detection, then the refresh)
#   the refresh alone                (as jarnctl list --time measures it in-process)
# and prints them with the ratio refresh / lpstat -v. Targets: at 1000 queues
# the refresh costs at most 1.5 x lpstat -v, and it grows linearly (the cost
# per queue at 1000 queues at most 1.5 x the cost per queue at 250). Exits 1
# when a target is missed. Runs as root (the daemon is started by
# "tests/harness/private-cupsd.sh run", with LogLevel warn so that logging
# does not weigh on the timings, and stopped by its pid at the end).
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
jarnctl=${1:-$top/build/bin/jarnctl}
jarnctl=$(cd "$(dirname "$jarnctl")" && pwd)/$(basename "$jarnctl")
[ -x "$jarnctl" ] || { echo "queue_list: no jarnctl at $jarnctl (build it first)" >&2; exit 2; }

if [ -z "${CUPS_TEST_BASE:-}" ]; then
  exec bash "$top/tests/harness/private-cupsd.sh" run --conf "LogLevel warn" -- bash "$0" "$jarnctl"
fi

runs=${RUNS:-5}

now() { echo "${EPOCHREALTIME/./}"; }  # microseconds

. "$(dirname "${BASH_SOURCE[0]}")/bench_lib.sh"

# Microseconds of one run of a command, output thrown away.
time_of() {
  local t0 t1
  t0=$(now)
  "$@" >/dev/null 2>&1
  t1=$(now)
  echo $((t1 - t0))
}

# Microseconds of the in-process refresh of one "jarnctl list --time".
refresh_of() {
  "$jarnctl" list --time 2>&1 >/dev/null | awk '/^refresh/ { printf "%d\n", $2 * 1000000 }'
}

made=0
grow_to() {
  local n=$1
  seq $((made + 1)) "$n" | xargs -P 8 -I{} lpadmin -p "bench{}" -v socket://127.0.0.1:9 2>/dev/null
  made=$n
}

printf '%8s %12s %12s %12s %8s\n' queues lpstat-ms list-ms refresh-ms ratio
declare -A refresh lpstat
for n in 250 500 1000; do
  grow_to "$n"
  have=$(lpstat -v | wc -l)
  [ "$have" = "$n" ] || { echo "queue_list: the daemon holds $have queues, not $n" >&2; exit 1; }
  lp=$(for _ in $(seq "$runs"); do time_of lpstat -v; done | median)
  li=$(for _ in $(seq "$runs"); do time_of "$jarnctl" list --items; done | median)
  re=$(for _ in $(seq "$runs"); do refresh_of; done | median)
  lpstat[$n]=$lp
  refresh[$n]=$re
  awk -v n="$n" -v lp="$lp" -v li="$li" -v re="$re" \
    'BEGIN { printf "%8d %12.1f %12.1f %12.1f %8.2f\n", n, lp / 1000, li / 1000, re / 1000, re / lp }'
done

status=0
# True when the awk expression holds.
holds() { awk "BEGIN { exit !($1) }"; }
if holds "${refresh[1000]} > 1.5 * ${lpstat[1000]}"; then
  echo "queue_list: MISSED: the refresh costs more than 1.5 x lpstat -v at 1000 queues" >&2
  status=1
fi
if holds "${refresh[1000]} / 1000 > 1.5 * ${refresh[250]} / 250"; then
  echo "queue_list: MISSED: the refresh does not grow linearly" >&2
  status=1
fi
[ "$status" = 0 ] && echo "queue_list: targets met"
exit "$status"

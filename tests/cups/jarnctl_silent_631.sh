#!/usr/bin/env bash
# A listener on 127.0.0.1:631 that accepts and never answers must not hold
# the detection: the version probe gives up after its time limit and the
# other sources answer. CTest's timeout catches a probe that waits for ever.
#   jarnctl_silent_631.sh JARNCTL
set -u
jarnctl=$1
command -v nc > /dev/null || { echo "no nc; skipped" >&2; exit 77; }
if nc -z -w 1 127.0.0.1 631 2> /dev/null; then echo "port 631 is taken; skipped" >&2; exit 77; fi
nc -lk 127.0.0.1 631 > /dev/null < /dev/null &
listener=$!
trap 'kill "$listener" 2> /dev/null; wait "$listener" 2> /dev/null' EXIT
for _ in $(seq 1 50); do nc -z -w 1 127.0.0.1 631 2> /dev/null && break; sleep 0.1; done
out=$("$jarnctl" detect) || { echo "FAIL: detect failed" >&2; exit 1; }
case "$out" in *"cupsVersion "[1-9]*) echo "jarnctl_silent_631: passed" ;;
  *) echo "FAIL: no version in: $out" >&2; exit 1 ;; esac

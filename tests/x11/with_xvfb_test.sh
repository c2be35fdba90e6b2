#!/usr/bin/env bash
# Checks with-xvfb.sh: the command sees a working display, its exit status
# comes back, two runs at once get different displays, and the server is
# gone afterwards.
set -eu
run=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$run" sh -c 'xdpyinfo >/dev/null && echo "$DISPLAY"' >"$work/one" || fail "no working display"
grep -q '^:[0-9][0-9]*$' "$work/one" || fail "DISPLAY not set: $(cat "$work/one")"

set +e
"$run" sh -c 'exit 7'
rc=$?
set -e
[ "$rc" = 7 ] || fail "exit status $rc, not 7"

"$run" sh -c 'echo "$DISPLAY"; sleep 1' >"$work/a" &
a=$!
"$run" sh -c 'echo "$DISPLAY"; sleep 1' >"$work/b" &
b=$!
wait "$a" "$b"
[ "$(cat "$work/a")" != "$(cat "$work/b")" ] || fail "parallel runs shared display $(cat "$work/a")"

# The server must be gone once the run ends.
"$run" sh -c 'echo "$JARN_XVFB_PID"' >"$work/pid"
pid=$(cat "$work/pid")
[ -n "$pid" ] || fail "no server pid"
if kill -0 "$pid" 2>/dev/null; then fail "Xvfb $pid still runs"; fi
JARN_XVFB_SCREEN=640x480x24 "$run" sh -c 'xdpyinfo | grep -q "dimensions: *640x480"' ||
  fail "JARN_XVFB_SCREEN not honoured"
echo ok

#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server of its own and
# stops that server by its process id afterwards. The server chooses a free
# display number itself (-displayfd), so any number of these can run at once.
#
#   tests/x11/with-xvfb.sh COMMAND [ARG...]
#   JARN_XVFB_SCREEN=640x480x24 tests/x11/with-xvfb.sh ...   another screen size
#
# The command sees the server's pid in JARN_XVFB_PID. The exit status is the
# command's (or 125 when Xvfb cannot be started).
set -u
screen=${JARN_XVFB_SCREEN:-1280x1024x24}
work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-xvfb-XXXXXX") || exit 125
xvfb_pid=

cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARG...]" >&2
  exit 125
fi

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!

# Xvfb writes the display number and a newline once it accepts clients.
for _ in $(seq 1 200); do
  if grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; then break; fi
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "with-xvfb.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    xvfb_pid=
    exit 125
  fi
  sleep 0.05
done
if ! grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null; then
  echo "with-xvfb.sh: no display number from Xvfb" >&2
  exit 125
fi

export DISPLAY=":$(head -n 1 "$work/display")"
export JARN_XVFB_PID=$xvfb_pid
"$@"
exit $?

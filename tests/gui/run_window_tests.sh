#!/usr/bin/env bash
# Runs the in-process main-window tests with a private X server and a
# private CUPS daemon holding a socket queue, whose data a listener of our
# own writes to a file, and a queue for the delete test. Stops everything it started by process id.
#
#   tests/gui/run_window_tests.sh TEST-BINARY [GTEST-ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
binary=$1; shift
base=$(mktemp -d "${TMPDIR:-/tmp}/jarn-gui-XXXXXX") || exit 1
listener=
cleanup() {
  [ -n "$listener" ] && kill "$listener" 2>/dev/null && wait "$listener" 2>/dev/null
  "$here/cups-with-queues.sh" stop "$base"
  rm -rf "$base"
}
trap cleanup EXIT

port=$((30000 + RANDOM % 20000))
"$here/cups-with-queues.sh" start "$base" Gone || exit 1
: >"$base/socket.out"
nc -lk 127.0.0.1 "$port" >"$base/socket.out" &
listener=$!
set -a
. "$base/env"
set +a
lpadmin -p Sock -v "socket://127.0.0.1:$port" -E >/dev/null 2>&1 || { echo "lpadmin refused the queue" >&2; exit 1; }
export JARN_TEST_QUEUE=Sock JARN_TEST_QUEUE_OUT="$base/socket.out" JARN_TEST_DOOMED_QUEUE=Gone
"$here/../x11/with-xvfb.sh" "$binary" "$@"

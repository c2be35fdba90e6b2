#!/usr/bin/env bash
# The harness's private CUPS daemon (tests/harness/private-cupsd.sh) with
# sample queues, set up for the administration program.
#
#   tests/gui/cups-with-queues.sh start DIR [QUEUE...]
#       starts the daemon in DIR, adds each QUEUE as a raw socket queue
#       (socket://127.0.0.1:9101, 9102, ...), and writes DIR/env: the
#       harness's environment for clients (CUPS_SERVER, JARNCUPSDIR with
#       DIR/prefix/etc/cups linked to the daemon's configuration, ...) as
#       lines to source.
#   tests/gui/cups-with-queues.sh stop DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
daemon="$here/../harness/private-cupsd.sh"

die() { echo "cups-with-queues: $*" >&2; exit 1; }

start() {
  local base=$1; shift
  command -v cupsd >/dev/null || PATH=$PATH:/usr/sbin
  bash "$daemon" start "$base" || die "the private CUPS daemon did not start"
  base=$(cd "$base" && pwd)
  bash "$daemon" env "$base" | sed -e 's/^export //' -e "s/'//g" >"$base/env"
  local q n=0
  for q in "$@"; do
    n=$((n + 1))
    CUPS_SERVER=$base/cups.sock lpadmin -p "$q" -v "socket://127.0.0.1:$((9100 + n))" -E \
      >/dev/null 2>&1 || { bash "$daemon" stop "$base"; die "lpadmin refused queue $q"; }
  done
}

case "${1:-}" in
  start) shift; [ $# -ge 1 ] || die "usage: $0 start DIR [QUEUE...]"; start "$@" ;;
  stop) shift; [ $# -eq 1 ] || die "usage: $0 stop DIR"; bash "$daemon" stop "$1" ;;
  *) die "usage: $0 start DIR [QUEUE...] | stop DIR" ;;
esac

#!/usr/bin/env bash
# A private CUPS daemon for tests: its own tree, its own port, never the
# system's /etc/cups, /var/spool/cups or port 631. Run as root (cupsd starts
# filters and back ends as lp, so the tree is made traversable for lp).
#
#   private-cupsd.sh start BASE   make the tree under BASE (an empty or new
#                                 directory), start cupsd in the foreground
#                                 mode in the background, wait until it
#                                 answers HTTP; BASE/cupsd.pid and BASE/port
#                                 hold its pid and TCP port
#   private-cupsd.sh stop BASE    SIGTERM to the pid in BASE/cupsd.pid, wait
#                                 for it to end (SIGKILL after 10 s)
#   private-cupsd.sh env BASE     print "export ..." lines for clients:
#                                 CUPS_SERVER (the socket), CUPS_STATEDIR,
#                                 HOME (BASE/home), LANG=C; eval them
#   private-cupsd.sh free-port    print a TCP port free on 127.0.0.1
#
# Layout: BASE/etc (ServerRoot; printers.conf, ppd/), BASE/spool, BASE/log
# (error_log, cupsd.out), BASE/cache, BASE/state, BASE/out (1777, for file:
# targets), BASE/home, BASE/cups.sock. Callers should stop the daemon from
# a trap so that it ends even when their test fails. Extra cupsd.conf lines
# can be given in the variable CUPSD_EXTRA_CONF before "start".
set -euo pipefail

usage() {
  sed -n '2,22p' "$0" >&2
  exit 2
}

free_port() {
  local port tries
  for tries in $(seq 1 200); do
    port=$((20000 + RANDOM % 40000))
    if ! nc -z -w 1 127.0.0.1 "$port" 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  echo "no free port found" >&2
  return 1
}

answers_http() {
  printf 'HEAD / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' |
    nc -w 2 127.0.0.1 "$1" 2>/dev/null | grep -q '^HTTP/1.1'
}

write_config() {
  local base=$1 port=$2
  cat > "$base/etc/cups-files.conf" <<CONF
ServerRoot $base/etc
RequestRoot $base/spool
TempDir $base/spool/tmp
CacheDir $base/cache
StateDir $base/state
ErrorLog $base/log/error_log
AccessLog $base/log/access_log
PageLog $base/log/page_log
Printcap $base/state/printcap
User lp
Group lp
SystemGroup root
FileDevice Yes
Sandboxing relaxed
PeerCred on
CONF
  cat > "$base/etc/cupsd.conf" <<CONF
LogLevel debug
DirtyCleanInterval 0
Listen 127.0.0.1:$port
Listen $base/cups.sock
Browsing No
DefaultAuthType None
WebInterface No
${CUPSD_EXTRA_CONF:-}
<Location />
  Order allow,deny
  Allow from 127.0.0.1
  Allow from @LOCAL
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
}

start() {
  local base=$1
  [ "$(id -u)" = 0 ] || { echo "private-cupsd.sh: start needs root" >&2; return 1; }
  mkdir -p "$base"
  base=$(cd "$base" && pwd)
  chmod 0755 "$base"
  local d
  for d in etc etc/ppd etc/ssl spool spool/tmp log cache state out home; do
    mkdir -p "$base/$d"
    chmod 0755 "$base/$d"
  done
  chmod 1777 "$base/out"
  chown root:lp "$base/spool" "$base/spool/tmp" "$base/cache" "$base/state" 2>/dev/null || true
  chmod 0775 "$base/spool" "$base/cache"
  chmod 1770 "$base/spool/tmp"
  cp /etc/cups/raw.types /etc/cups/raw.convs "$base/etc/" 2>/dev/null || true
  local attempt port pid
  for attempt in 1 2 3; do
    port=$(free_port)
    write_config "$base" "$port"
    cupsd -t -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" > "$base/log/cupsd-check.out" 2>&1 || {
      cat "$base/log/cupsd-check.out" >&2
      return 1
    }
    cupsd -f -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" \
      < /dev/null > "$base/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" > "$base/cupsd.pid"
    echo "$port" > "$base/port"
    local i
    for i in $(seq 1 100); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if answers_http "$port" && [ -S "$base/cups.sock" ]; then return 0; fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait_gone "$pid"
    rm -f "$base/cupsd.pid"
  done
  echo "private-cupsd.sh: cupsd did not start; see $base/log" >&2
  tail -20 "$base/log/error_log" "$base/log/cupsd.out" >&2 2>/dev/null || true
  return 1
}

wait_gone() {
  local pid=$1 i
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
}

stop() {
  local base=$1 pid
  [ -f "$base/cupsd.pid" ] || return 0
  pid=$(cat "$base/cupsd.pid")
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null || true
    wait_gone "$pid"
  fi
  rm -f "$base/cupsd.pid"
}

print_env() {
  local base
  base=$(cd "$1" && pwd)
  echo "export CUPS_SERVER='$base/cups.sock'"
  echo "export CUPS_STATEDIR='$base/state'"
  echo "export HOME='$base/home'"
  echo "export LANG=C"
}

case "${1:-}" in
  start) [ $# = 2 ] || usage; start "$2" ;;
  stop) [ $# = 2 ] || usage; stop "$2" ;;
  env) [ $# = 2 ] || usage; print_env "$2" ;;
  free-port) free_port ;;
  *) usage ;;
esac

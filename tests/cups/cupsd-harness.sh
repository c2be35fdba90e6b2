#!/usr/bin/env bash
# Runs a command next to a private CUPS daemon of its own.
#
#   cupsd-harness.sh [--port PORT] [--no-file-device] -- COMMAND [ARG...]
#
# The daemon runs as root from a fresh tree under mktemp -d, listening on
# 127.0.0.1:PORT (a free port when none is given; 631 for the tests of the
# version probe) and on a socket file. The command runs with:
#   CUPS_SERVER      the socket file
#   CUPS_TEST_PORT   the TCP port
#   CUPS_TEST_BASE   the daemon's tree (etc = ServerRoot, out = 1777 for file: targets)
#   CUPS_STATEDIR    the daemon's state directory (root's lpadmin over TCP)
#   JARNCUPSDIR      a prefix whose etc/cups is the daemon's ServerRoot
#   JARNCUPSBINDIR   /usr, where Debian keeps the CUPS programs
#   HOME, LANG=C
# The daemon is stopped by its process id when the command ends, also on
# failure or interruption, and the tree is removed. The exit status is the
# command's (77 when no daemon can be started: the test is skipped).
set -u

port=""
file_device=Yes
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port=$2; shift 2 ;;
    --no-file-device) file_device=No; shift ;;
    --) shift; break ;;
    *) echo "cupsd-harness: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: cupsd-harness.sh [--port PORT] [--no-file-device] -- COMMAND..." >&2; exit 2; }

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
if [ "$(id -u)" != 0 ] || [ ! -x "$cupsd" ]; then
  echo "cupsd-harness: needs root and cupsd; skipped" >&2
  exit 77
fi

base=$(mktemp -d /tmp/jarn-cupsd-XXXXXX)
chmod 0755 "$base"
pid=""
stop() {
  if [ -n "$pid" ]; then
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$base"
}
trap stop EXIT
trap 'exit 130' INT TERM

mkdir -p "$base"/{etc/ppd,etc/ssl,spool/tmp,log,cache,state,home,prefix/etc,out}
chmod 1777 "$base/out"
chmod 0755 "$base"/etc "$base"/spool "$base"/prefix "$base"/prefix/etc
ln -s "$base/etc" "$base/prefix/etc/cups"
cp /etc/cups/raw.types /etc/cups/raw.convs "$base/etc/" 2>/dev/null || true

cat >"$base/etc/cups-files.conf" <<EOF
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
FileDevice $file_device
Sandboxing relaxed
PeerCred on
EOF

free_port() {
  local p
  for _ in $(seq 50); do
    p=$(( (RANDOM % 20000) + 20000 ))
    if ! nc -z 127.0.0.1 "$p" 2>/dev/null; then echo "$p"; return 0; fi
  done
  return 1
}

write_cupsd_conf() {
  cat >"$base/etc/cupsd.conf" <<EOF
LogLevel warn
DirtyCleanInterval 0
Listen 127.0.0.1:$1
Listen $base/cups.sock
Browsing No
DefaultAuthType None
WebInterface No
MaxJobs 0
<Location />
  Order allow,deny
  Allow 127.0.0.1
  Allow @LOCAL
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
}

answers() {
  printf 'HEAD / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' |
    nc -w 2 127.0.0.1 "$1" 2>/dev/null | grep -q '^HTTP/1.1'
}

started=""
for attempt in 1 2 3; do
  p=${port:-$(free_port)} || break
  write_cupsd_conf "$p"
  if ! "$cupsd" -t -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" >"$base/log/check" 2>&1; then
    cat "$base/log/check" >&2
    break
  fi
  "$cupsd" -f -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" &
  pid=$!
  for _ in $(seq 100); do
    if answers "$p"; then started=$p; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$started" ] && break
  kill -TERM "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=""
  [ -n "$port" ] && break  # a fixed port that is taken: no retry
done
if [ -z "$started" ]; then
  echo "cupsd-harness: the private cupsd did not start" >&2
  cat "$base/log/error_log" >&2 2>/dev/null
  exit 77
fi

export CUPS_SERVER="$base/cups.sock"
export CUPS_TEST_PORT="$started"
export CUPS_TEST_BASE="$base"
export CUPS_STATEDIR="$base/state"
export JARNCUPSDIR="$base/prefix"
export JARNCUPSBINDIR=/usr
export HOME="$base/home"
export LANG=C LC_ALL=C
unset QORLPMODE JARNLPMODE

"$@"
rc=$?
if [ "$rc" != 0 ] && [ -s "$base/log/error_log" ]; then
  echo "--- cupsd error_log ---" >&2
  tail -n 30 "$base/log/error_log" >&2
fi
exit "$rc"

#!/usr/bin/env bash
# A private CUPS daemon for tests and demos: its own tree, its own port,
# never the system's /etc/cups, /var/spool/cups or a running daemon's port.
# Run as root (cupsd starts filters and back ends as lp, so the tree is made
# traversable for lp).
#
#   private-cupsd.sh start [OPTION...] BASE
#       makes the tree under BASE (an empty or new directory), starts cupsd
#       in the foreground mode in the background and waits until it answers
#       HTTP and its socket file exists. BASE/cupsd.pid and BASE/port hold
#       its pid and TCP port. Exit status 1 when it does not start.
#   private-cupsd.sh stop BASE
#       SIGTERM to the pid in BASE/cupsd.pid (only while that pid is still
#       BASE's cupsd), returns as soon as the daemon has ended (a zombie has
#       ended), SIGKILL after 10 s. The tree is left in place.
#   private-cupsd.sh env BASE
#       prints the environment for clients as shell lines ("export ..." and
#       one "unset ..."); eval them:
#         CUPS_SERVER     BASE/cups.sock (lpoptions -l needs 127.0.0.1:PORT)
#         CUPS_STATEDIR   BASE/state (root's lpadmin over TCP needs it)
#         CUPS_TEST_BASE  BASE
#         CUPS_TEST_PORT  the TCP port
#         JARNCUPSDIR     BASE/prefix, whose etc/cups links to BASE/etc
#         JARNCUPSBINDIR  /usr, where Debian keeps the CUPS programs
#         HOME            BASE/home (lpoptions -d writes there)
#         LANG=C LC_ALL=C (lpstat output is translated otherwise)
#         QORLPMODE, JARNLPMODE unset (the detection sees this daemon)
#   private-cupsd.sh run [OPTION...] -- COMMAND [ARG...]
#       starts a daemon in a fresh tree under mktemp -d, runs COMMAND with
#       the environment of "env", then stops the daemon by its pid (from a
#       trap: also when COMMAND fails or the run is interrupted) and removes
#       the tree. The exit status is COMMAND's; 77 (skipped) when there is no
#       root, no cupsd, or no daemon could be started. On a failure the tail
#       of the daemon's error_log is printed.
#   private-cupsd.sh free-port
#       prints a TCP port free on 127.0.0.1 (below the ephemeral range).
#
# Options of start and run:
#   --port PORT         listen on 127.0.0.1:PORT (e.g. 631 for the version
#                       probe); refused when something answers there already.
#                       Without it a free port is taken (retried on a clash).
#   --conf LINE         an extra cupsd.conf line (may be repeated)
#   --files-conf LINE   an extra cups-files.conf line (may be repeated)
#   --no-file-device    short for --files-conf 'FileDevice No'
# Variables read by start and run:
#   CUPSD_EXTRA_CONF        extra cupsd.conf lines (newline-separated)
#   CUPSD_EXTRA_FILES_CONF  extra cups-files.conf lines
# An extra line whose keyword is one of the default one-line directives
# (LogLevel, MaxJobs, FileDevice, Sandboxing, ...) replaces that default;
# other lines (Listen, ServerAdmin, <Location ...> blocks) are added.
#
# Layout: BASE/etc (ServerRoot; printers.conf, ppd/), BASE/spool,
# BASE/log (error_log, cupsd.out), BASE/cache, BASE/state, BASE/out (1777,
# for file: targets), BASE/home, BASE/prefix/etc/cups -> BASE/etc,
# BASE/cups.sock. Callers of start must call stop from a trap so that the
# daemon ends even when their test fails.
set -uo pipefail

me=private-cupsd.sh

usage() {
  awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0" >&2
  exit 2
}

cupsd_program() {
  command -v cupsd 2>/dev/null || echo /usr/sbin/cupsd
}

# Ports below the kernel's ephemeral range, so that no outgoing connection
# holds the port we pick.
free_port() {
  local low=32768 top port
  read -r low _ < /proc/sys/net/ipv4/ip_local_port_range 2>/dev/null || true
  top=$((low > 21000 ? low - 1 : 59999))
  for _ in $(seq 1 200); do
    port=$((20000 + RANDOM % (top - 20000 + 1)))
    if ! nc -z -w 1 127.0.0.1 "$port" 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  echo "$me: no free port found" >&2
  return 1
}

answers_http() {
  local reply
  reply=$(printf 'HEAD / HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' |
    nc -w 2 127.0.0.1 "$1" 2>/dev/null)
  case "$reply" in HTTP/1.1*) return 0 ;; esac
  return 1
}

# The default directives, less those whose keyword the extra lines give.
# Listen lines and blocks are never replaced.
without_replaced() {  # DEFAULTS EXTRA
  awk -v extra="$2" '
    BEGIN {
      n = split(extra, lines, "\n")
      for (i = 1; i <= n; i++) if (split(lines[i], w, " ") > 0) given[tolower(w[1])] = 1
    }
    { k = tolower($1) }
    k == "listen" || !(k in given) { print }
  ' <<< "$1"
}

write_config() {
  local base=$1 port=$2 extra_files=$3 extra_conf=$4
  {
    without_replaced "ServerRoot $base/etc
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
PeerCred on" "$extra_files"
    [ -z "$extra_files" ] || printf '%s\n' "$extra_files"
  } > "$base/etc/cups-files.conf"
  {
    without_replaced "LogLevel debug
DirtyCleanInterval 0
Listen 127.0.0.1:$port
Listen $base/cups.sock
Browsing No
DefaultAuthType None
WebInterface No
MaxJobs 0" "$extra_conf"
    [ -z "$extra_conf" ] || printf '%s\n' "$extra_conf"
    cat <<CONF
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
  } > "$base/etc/cupsd.conf"
}

make_tree() {
  local base=$1 d
  chmod 0755 "$base"
  for d in etc etc/ppd etc/ssl spool spool/tmp log cache state out home prefix prefix/etc; do
    mkdir -p "$base/$d"
    chmod 0755 "$base/$d"
  done
  chmod 1777 "$base/out"
  chown root:lp "$base/spool" "$base/spool/tmp" "$base/cache" "$base/state" 2>/dev/null || true
  chmod 0775 "$base/spool" "$base/cache"
  chmod 1770 "$base/spool/tmp"
  ln -sfn "$base/etc" "$base/prefix/etc/cups"
  cp /etc/cups/raw.types /etc/cups/raw.convs "$base/etc/" 2>/dev/null || true
}

# True while PID is a process that has not ended: a zombie has ended (it is
# only waiting to be reaped, and PID 1 here does not reap orphans promptly).
alive() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  case "${stat%% *}" in Z | X | x | "") return 1 ;; esac
  return 0
}

# True while PID is alive and is the cupsd of the tree BASE (so that a pid
# taken over by another process after the daemon ended is left alone).
is_daemon_of() {  # PID BASE
  local cmdline
  alive "$1" || return 1
  cmdline=$(tr '\0' ' ' < "/proc/$1/cmdline" 2>/dev/null) || return 1
  case "$cmdline" in *" -c $2/etc/cupsd.conf "*) return 0 ;; esac
  return 1
}

# SIGTERM, then wait until the daemon has ended; SIGKILL after 10 s. Reaps
# it when it is our child.
stop_pid() {  # PID BASE
  local pid=$1 base=$2
  if is_daemon_of "$pid" "$base"; then
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 1 100); do
      is_daemon_of "$pid" "$base" || break
      sleep 0.1
    done
    if is_daemon_of "$pid" "$base"; then
      echo "$me: cupsd $pid did not end on SIGTERM; SIGKILL" >&2
      kill -KILL "$pid" 2>/dev/null
      for _ in $(seq 1 50); do alive "$pid" || break; sleep 0.1; done
    fi
  fi
  wait "$pid" 2>/dev/null
  return 0
}

# Options of start and run, into the variables port, extra_files, extra_conf;
# leaves the rest of the arguments in rest[].
parse_options() {
  port=""
  extra_files=${CUPSD_EXTRA_FILES_CONF:-}
  extra_conf=${CUPSD_EXTRA_CONF:-}
  rest=()
  while [ $# -gt 0 ]; do
    case "$1" in
      --port) [ $# -ge 2 ] || usage; port=$2; shift 2 ;;
      --conf) [ $# -ge 2 ] || usage; extra_conf=${extra_conf:+$extra_conf$'\n'}$2; shift 2 ;;
      --files-conf) [ $# -ge 2 ] || usage; extra_files=${extra_files:+$extra_files$'\n'}$2; shift 2 ;;
      --no-file-device) extra_files=${extra_files:+$extra_files$'\n'}"FileDevice No"; shift ;;
      --) shift; rest=("$@"); return 0 ;;
      -*) echo "$me: unknown option $1" >&2; usage ;;
      *) rest=("$@"); return 0 ;;
    esac
  done
  case "$port" in "" | *[!0-9]*) [ -z "$port" ] || { echo "$me: bad port $port" >&2; usage; } ;; esac
}

# Starts the daemon in BASE; sets daemon_pid. Status 1 when it does not start.
start_daemon() {  # BASE
  local base=$1 cupsd attempt p i
  cupsd=$(cupsd_program)
  [ "$(id -u)" = 0 ] || { echo "$me: start needs root" >&2; return 1; }
  [ -x "$cupsd" ] || { echo "$me: no cupsd" >&2; return 1; }
  mkdir -p "$base" || return 1
  base=$(cd "$base" && pwd) || return 1
  make_tree "$base"
  daemon_pid=""
  for attempt in 1 2 3; do
    if [ -n "$port" ]; then
      p=$port
      if nc -z -w 1 127.0.0.1 "$p" 2>/dev/null; then
        echo "$me: port $p of 127.0.0.1 is taken" >&2
        return 1
      fi
    else
      p=$(free_port) || return 1
    fi
    write_config "$base" "$p" "$extra_files" "$extra_conf"
    rm -f "$base/cups.sock" "$base/log/error_log"
    if ! "$cupsd" -t -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" > "$base/log/cupsd-check.out" 2>&1; then
      cat "$base/log/cupsd-check.out" >&2
      return 1
    fi
    "$cupsd" -f -c "$base/etc/cupsd.conf" -s "$base/etc/cups-files.conf" \
      < /dev/null > "$base/log/cupsd.out" 2>&1 &
    daemon_pid=$!
    echo "$daemon_pid" > "$base/cupsd.pid"
    echo "$p" > "$base/port"
    for i in $(seq 1 100); do
      alive "$daemon_pid" || break
      # A port taken between the choice and the bind: cupsd goes on with
      # its socket file alone, and whatever answers on the port is not it.
      if grep -q 'Unable to bind\|Unable to open listen socket' "$base/log/error_log" 2>/dev/null; then break; fi
      if [ -S "$base/cups.sock" ] && answers_http "$p"; then return 0; fi
      sleep 0.1
    done
    stop_pid "$daemon_pid" "$base"
    daemon_pid=""
    rm -f "$base/cupsd.pid"
    [ -z "$port" ] || break  # a fixed port: no other to try
  done
  echo "$me: cupsd did not start; see $base/log" >&2
  tail -n 20 "$base/log/error_log" "$base/log/cupsd.out" >&2 2>/dev/null
  return 1
}

start() {
  parse_options "$@"
  [ "${#rest[@]}" = 1 ] || usage
  start_daemon "${rest[0]}"
}

stop() {
  local base=$1 pid
  [ -f "$base/cupsd.pid" ] || return 0
  base=$(cd "$base" && pwd) || return 0
  pid=$(cat "$base/cupsd.pid" 2>/dev/null)
  case "$pid" in "" | *[!0-9]*) ;; *) stop_pid "$pid" "$base" ;; esac
  rm -f "$base/cupsd.pid"
}

print_env() {
  local base
  base=$(cd "$1" && pwd) || return 1
  echo "export CUPS_SERVER='$base/cups.sock'"
  echo "export CUPS_STATEDIR='$base/state'"
  echo "export CUPS_TEST_BASE='$base'"
  echo "export CUPS_TEST_PORT='$(cat "$base/port" 2>/dev/null)'"
  echo "export JARNCUPSDIR='$base/prefix'"
  echo "export JARNCUPSBINDIR=/usr"
  echo "export HOME='$base/home'"
  echo "export LANG=C"
  echo "export LC_ALL=C"
  echo "unset QORLPMODE JARNLPMODE"
}

run_base=""
run_cleanup() {
  if [ -n "$run_base" ]; then
    stop "$run_base"
    rm -rf "$run_base"
  fi
}

run() {
  parse_options "$@"
  [ "${#rest[@]}" -gt 0 ] || usage
  if [ "$(id -u)" != 0 ] || [ ! -x "$(cupsd_program)" ]; then
    echo "$me: needs root and cupsd; skipped" >&2
    exit 77
  fi
  run_base=$(mktemp -d "${TMPDIR:-/tmp}/jarn-cupsd-XXXXXX") || exit 77
  trap run_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  if ! start_daemon "$run_base"; then
    echo "$me: the private cupsd did not start; skipped" >&2
    exit 77
  fi
  eval "$(print_env "$run_base")"
  local rc
  "${rest[@]}"
  rc=$?
  if [ "$rc" != 0 ] && [ "$rc" != 77 ] && [ -s "$run_base/log/error_log" ]; then
    echo "--- cupsd error_log ---" >&2
    tail -n 30 "$run_base/log/error_log" >&2
  fi
  exit "$rc"
}

case "${1:-}" in
  start) shift; start "$@" ;;
  stop) [ $# = 2 ] || usage; stop "$2" ;;
  env) [ $# = 2 ] || usage; print_env "$2" ;;
  run) shift; run "$@" ;;
  free-port) [ $# = 1 ] || usage; free_port ;;
  *) usage ;;
esac

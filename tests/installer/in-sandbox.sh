# Sourced first by every sandbox case: refuses to go on (exit 99, a
# failure) unless it runs inside sandbox.sh, and gives the cases their
# helpers. T is the tests directory, REL the release as bound.
T=/mnt/w/tests
REL=/mnt/w/release
if [ ! -e /run/jarn-sandbox ] || [ "$(findmnt -n -o FSTYPE /usr)" != overlay ] ||
   [ "$(findmnt -n -o FSTYPE /opt)" != tmpfs ]; then
  echo "not inside the installer sandbox; refusing to run" >&2
  exit 99
fi

FAKE_LOG=/var/log/fake-tools.log
LOG=/var/log/Jarn2.0_UpdateLog
failures=0

# Stubs of the service and SELinux tools (setup looks in /usr/bin first):
# each appends "$0 $* (argc=$#)" to FAKE_LOG. selinuxenabled exits 0 only
# while /run/jarn-selinux-on exists; service sends SIGHUP to the daemon.
install_stubs() {
  local t
  for t in service selinuxenabled semodule chcon restorecon; do
    {
      echo '#!/bin/sh'
      echo "echo \"\$0 \$* (argc=\$#)\" >> $FAKE_LOG"
      case $t in
        selinuxenabled) echo '[ -e /run/jarn-selinux-on ]' ;;
        service) echo '[ -f /run/cupsd/cupsd.pid ] && kill -HUP "$(cat /run/cupsd/cupsd.pid)"; exit 0' ;;
      esac
    } > "/usr/bin/$t"
    chmod 0755 "/usr/bin/$t"
  done
}

# The private daemon on port 631, seen by setup as the system's.
start_daemon() {
  "$T/harness/private-cupsd.sh" start --port 631 /run/cupsd >/dev/null || { echo "no daemon" >&2; exit 1; }
  mount --bind /run/cupsd/etc /etc/cups
  eval "$("$T/harness/private-cupsd.sh" env /run/cupsd)"
  trap '"$T/harness/private-cupsd.sh" stop /run/cupsd' EXIT
}

# A copy of the release at /tmp/rel.
copy_release() { cp -a "$REL" /tmp/rel; }

# check NAME CONDITION...: runs the condition, counts a failure.
check() {
  local name=$1
  shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name" >&2; failures=$((failures + 1)); fi
}
# The log holds every run; LOG's checks look at the last run only.
last_run() { awk '/^=== Jarn 2.0-10 setup run of /{b=""} {b=b $0 "\n"} END{printf "%s", b}' "$LOG"; }
logged() { if [ $# -ge 2 ]; then grep -qF -- "$1" "$2"; else last_run | grep -qF -- "$1"; fi; }
not_logged() { ! logged "$@"; }
absent() { [ ! -e "$1" ]; }
finish() { echo "$failures failure(s)"; [ "$failures" = 0 ]; }

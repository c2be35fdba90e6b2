#!/usr/bin/env bash
# jarnctl on the spoolers Debian cannot run (System V lpsched, BSD lpd,
# LPRng, AIX): stand-in lpd, lpstat and lpr first on PATH, a root (-R) for
# the fixed system paths whose /proc shows made-up processes, and the system
# kind given as a value.
#   jarnctl_fake_spoolers.sh JARNCTL
set -u
jarnctl=$1
here=$(cd "$(dirname "$0")" && pwd)
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }
expect_in() {
  case "$1" in *"$2"*) ;; *) fail "$3: '$2' not in: $1" ;; esac
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root" "$work/bin"
ln -s "$here/fake-bin/record-args" "$work/bin/lpr"
cat >"$work/bin/lpstat" <<'EOF'
#!/bin/sh
printf 'device for zq: /dev/lp0\ndevice for Office : lpd://spool/raw\n'
EOF
chmod +x "$work/bin/lpstat"
export PATH="$work/bin:$here/fake-bin:$PATH"
export RECORD_FILE="$work/calls"
unset QORLPMODE JARNLPMODE JARNCUPSDIR JARNCUPSBINDIR FAKE_LPD_VERSION
ctl() { "$jarnctl" -R "$work/root" "$@"; }
# ps_shows UID PROGRAM: the one process under the root's /proc.
ps_shows() {
  rm -rf "$work/root/proc" && mkdir -p "$work/root/proc/10"
  printf 'Name:\tx\nUid:\t%s\t%s\t%s\t%s\n' "$1" "$1" "$1" "$1" >"$work/root/proc/10/status"
  ln -s "$2" "$work/root/proc/10/exe"
}

# A requested CUPS on a machine that runs lpsched: System V, with a message.
ps_shows 0 /usr/lib/lpsched
out=$(QORLPMODE=CUPS ctl detect --system SunOS --release 5.10 --no-version 2>"$work/err")
expect_in "$out" "lpMode 1" "lpsched"
expect_in "$out" "fatalReason 8" "no cupsd"
expect_in "$(cat "$work/err")" "Resetting scheduler to : lpsched(SysV)." "reset message"

# BSD lpd, and LPRng behind the same daemon name.
ps_shows 0 /usr/sbin/lpd
expect_in "$(ctl detect --system Linux --release 6.1 --no-version)" "lpMode 2" "BSD lpd"
expect_in "$(FAKE_LPD_VERSION='lpd: LPRng-3.8.28' ctl detect --system Linux --release 6.1 --no-version)" "lpMode 4" "LPRng"
ps_shows 0 /usr/sbin/qdaemon
expect_in "$(ctl detect --system AIX --release 7 --no-version)" "lpMode 16" "AIX qdaemon"

# Nothing running: by system kind. An editor is no cupsd, nor is another
# user's program that calls itself so.
ps_shows 4242 /tmp/evil/sbin/cupsd
expect_in "$(ctl detect --system HP-UX --release B.11 --no-version)" "lpMode 1" "HP-UX"
expect_in "$(ctl detect --system Linux --release 6.1 --no-version)" "lpMode 2" "Linux"

# Under BSD lpd: the queue list from lpstat -v, test pages through lpr, and
# no deletion at all.
ps_shows 0 /usr/sbin/lpd
list=$(ctl list)
[ "$list" = "$(printf 'Office\nzq')" ] || fail "BSD queue list: $list"
ctl testpage Office text 2 2>/dev/null || fail "BSD test page"
expect_in "$(cat "$work/calls")" "$(printf 'lpr\n-POffice\n')" "lpr -P"
[ "$(tr -cd '\f' <"$work/calls.data" | wc -c)" = 1 ] || fail "two copies, one form feed"
ctl delete Office 2>/dev/null && fail "delete under BSD"
[ "$(grep -c -- '^--$' "$work/calls")" = 1 ] || fail "delete under BSD ran something"

[ "$fails" = 0 ] && echo "jarnctl_fake_spoolers: all passed"
exit $((fails > 0))

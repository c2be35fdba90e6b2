#!/bin/bash
# The per-printer configuration file as a user's shell sees it: jarnctl
# config-write makes DIR/PRINTER/root/jarnConfig (mode 0755) and
# config-read reads the fields back, per connection type.
# $1: the jarnctl program.
set -u
JARNCTL=${1:?usage: jarnctl_config.sh JARNCTL}
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# write PRINTER FIELD=VALUE... ; then expect PRINTER name=value...
write() { "$JARNCTL" config-write "$T" "$@" || fail "config-write $*"; }
expect() {
  local printer=$1; shift
  "$JARNCTL" config-read "$T" "$printer" >"$T/out" || fail "config-read $printer"
  for want in "$@"; do
    grep -qxF -- "$want" "$T/out" || { cat "$T/out" >&2; fail "$printer: no line '$want'"; }
  done
}

write lpd connectType=2 printerHost=lpdhost remoteQueue=hold printerType=2
expect lpd connectType=2 printerHost=lpdhost remoteQueue=hold lpdRemoteKind=4 printerType=2
write lpdq connectType=2 printerHost=lpdhost
grep -qx "PRINTERREMQ lp" "$T/lpdq/root/jarnConfig" || fail "empty remote queue not written as lp"
write tcp connectType=3 printerHost=10.0.0.9 tcpPort=9101
expect tcp connectType=3 printerHost=10.0.0.9 tcpPort=9101
write tcp0 connectType=3 printerHost=10.0.0.9 tcpPort=0
grep -qx "PRINTERREMQ UNKNOWN" "$T/tcp0/root/jarnConfig" || fail "port 0 not written as UNKNOWN"
expect tcp0 tcpPort=9100
write local connectType=4 deviceName=/dev/lp1
expect local connectType=4 deviceName=/dev/lp1
write usb connectType=5 usbDevicePath=/dev/usb/lp1
expect usb connectType=5 usbDevicePath=/dev/usb/lp1
write ipp connectType=6 ippPath=printers/q
expect ipp connectType=6 ippHost=127.0.0.1 ippPath=printers/q
write file connectType=7 fileName=/tmp/out.prn ppdFile=/p/a.ppd ppdOrgFile=/p/o.ppd
expect file connectType=7 fileName=/tmp/out.prn ppdFileText=/p/a.ppd ppdOrgFileText=/p/o.ppd \
  "programDir=$T" configFormatVersion=1.0

for p in lpd tcp local usb ipp file; do
  [ "$(stat -c %a "$T/$p/root/jarnConfig")" = 755 ] || fail "$p: mode is not 755"
  [ "$(head -n 1 "$T/$p/root/jarnConfig")" = "%%JARN_CONFIGURATION_FILE" ] || fail "$p: no file mark"
done

# Errors: an unknown field, a foreign file, a missing file.
"$JARNCTL" config-write "$T" bad noSuchField=1 2>/dev/null && fail "unknown field accepted"
mkdir -p "$T/foreign/root" && echo "PRINTERCNCT 3" >"$T/foreign/root/jarnConfig"
"$JARNCTL" config-read "$T" foreign 2>"$T/err" && fail "foreign file accepted"
grep -q "is not OK" "$T/err" || fail "no message for a foreign file"
"$JARNCTL" config-read "$T" missing 2>/dev/null && fail "missing file accepted"
# A user name is one directory entry: nothing is made outside the tree.
mkdir "$T/in"
for user in ../../up .. a/b; do
  "$JARNCTL" config-write "$T/in" p "userName=$user" 2>/dev/null && fail "user '$user' accepted"
done
[ -z "$(ls "$T/in/p")" ] && [ ! -e "$T/up" ] && [ ! -e "$T/in/p/a" ] || fail "a directory was made for a bad user"
echo "PASS"

#!/usr/bin/env bash
# jarnctl printer-uri against a private CUPS daemon: a printer, and a class
# made with lpadmin -c, answer with the printer's URI parts.
#   jarnctl_printer_uri.sh JARNCTL PRIVATE_CUPSD_SH
set -u
jarnctl=$1
harness=$2
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && bash "$harness" stop "$tmp/cupsd"
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

bash "$harness" start "$tmp/cupsd" >/dev/null
pid=$(cat "$tmp/cupsd/cupsd.pid" 2>/dev/null)
[ -n "$pid" ] || fail "private cupsd did not start"
port=$(cat "$tmp/cupsd/port")
eval "$(bash "$harness" env "$tmp/cupsd")"
lpadmin -p P1 -v file:/dev/null -E 2>/dev/null || fail "lpadmin P1"
lpadmin -p P1 -c CL || fail "lpadmin -c CL"

export CUPS_SERVER=127.0.0.1:$port
out=$("$jarnctl" printer-uri P1) || fail "printer-uri P1 failed"
printf '%s\n' "$out" | grep -qx "port $port" || fail "port of P1: $out"
printf '%s\n' "$out" | grep -qx "resource /printers/P1" || fail "resource of P1: $out"
out=$("$jarnctl" printer-uri CL) || fail "printer-uri CL failed"
printf '%s\n' "$out" | grep -qx "resource /printers/P1" || fail "resource of CL: $out"
if "$jarnctl" printer-uri NoSuchQueue >/dev/null 2>&1; then fail "an unknown queue was found"; fi
echo "ok: jarnctl printer-uri"

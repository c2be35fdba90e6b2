#!/usr/bin/env bash
# jarnctl krpa against the UDP responder on 127.0.0.1:47545: a verdict of 1 is
# printed; with no responder the failure is reported within two seconds.
#   jarnctl_krpa.sh JARNCTL KRPA_RESPONDER
set -u
jarnctl=$1
responder=$2
tmp=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$responder" --expect 1 2 --verdict 1 --status 0x20 >"$tmp/ready" &
pid=$!
for _ in $(seq 50); do grep -q ready "$tmp/ready" && break; sleep 0.1; done
grep -q ready "$tmp/ready" || fail "responder did not start"

out=$("$jarnctl" krpa 127.0.0.1 1 2) || fail "krpa failed: $out"
[ "$out" = "$(printf 'verdict 1\nstatus 32')" ] || fail "unexpected output: $out"
out=$("$jarnctl" krpa 127.0.0.1 0x1 0x3) || fail "krpa with a wrong secret failed"
[ "$(printf '%s\n' "$out" | head -1)" = "verdict 238" ] || fail "wrong secret not refused: $out"
"$jarnctl" krpa 127.0.0.1 1 >/dev/null 2>&1 && fail "a missing secret was accepted"
for host in '' no-such-host.invalid; do  # no host: a failure of its own, never "verdict 0"
  "$jarnctl" krpa "$host" 1 2 >"$tmp/out" 2>"$tmp/err" && fail "no host '$host' gave: $(cat "$tmp/out")"
  grep -q "no host '$host'" "$tmp/err" || fail "no host message for '$host': $(cat "$tmp/err")"
done

kill "$pid"; wait "$pid" 2>/dev/null; pid=
start=$(date +%s%N)
if "$jarnctl" krpa 127.0.0.1 1 2 >"$tmp/out" 2>"$tmp/err"; then fail "no responder reported success"; fi
took=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$took" -lt 2000 ] || fail "failure took ${took} ms"
grep -q "no reply from 127.0.0.1" "$tmp/err" || fail "no failure message: $(cat "$tmp/err")"
echo "ok: jarnctl krpa"

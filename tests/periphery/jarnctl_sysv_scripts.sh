#!/usr/bin/env bash
# jarnctl sysv-scripts: the scripts land in the configured directories, pass
# sh -n, and run a sample job through a stub filter without ever running a
# queue name as shell text.
#   jarnctl_sysv_scripts.sh JARNCTL
set -u
jarnctl=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$tmp/root/var/spool/lp/model" "$tmp/user" "$tmp/out" "$tmp/cwd"
cat >"$tmp/filter" <<STUB
#!/bin/sh
for a in "\$@"; do printf '%s\n' "\$a"; done >"$tmp/out/argv"
eval "last=\\\${\$#}"
cat "\$last" >"$tmp/out/input"
STUB
chmod 755 "$tmp/filter"
printf 'job data\n' >"$tmp/job"
queue='q;$(touch${IFS}canary)'

out=$(cd "$tmp/cwd" && JARNUSERDIR="$tmp/user" JARNLPMODE=LP "$jarnctl" -R "$tmp/root" sysv-scripts "$queue" "$tmp/filter") ||
  fail "sysv-scripts failed: $out"
model="$tmp/root/var/spool/lp/model/$queue"
[ "$out" = "$(printf '%s\n%s' "$model" "$tmp/user/$queue.sh")" ] || fail "unexpected paths: $out"
for f in "$model" "$tmp/user/$queue.sh"; do
  sh -n "$f" || fail "sh -n $f"
  [ "$(stat -c %a "$f")" = 755 ] || fail "mode of $f"
done

(cd "$tmp/cwd" && sh "$model" 12 bob 'a title' 1 'mbu=5' "$tmp/job") || fail "the interface script failed"
[ "$(cat "$tmp/out/argv")" = "$(printf '%s\n' -nbob -MBU=5 "$tmp/job")" ] || fail "filter argv: $(cat "$tmp/out/argv")"
[ "$(cat "$tmp/out/input")" = "job data" ] || fail "filter input"
(cd "$tmp/cwd" && sh "$tmp/user/$queue.sh" one two "$tmp/job") || fail "the queue script failed"
[ "$(cat "$tmp/out/argv")" = "$tmp/job" ] || fail "queue script argv: $(cat "$tmp/out/argv")"
if find "$tmp" -name canary | grep -q .; then fail "a queue name ran as shell text"; fi

# A value that holds another value's placeholder stays one quoted word: the
# scripts pass sh -n, run the program by its literal name and touch nothing.
q2='q x@FILTER@'
(cd "$tmp/cwd" && JARNUSERDIR="$tmp/user" JARNLPMODE=LP "$jarnctl" -R "$tmp/root" sysv-scripts "$q2" 'p@NAME@;touch CANARY;' >/dev/null) ||
  fail "sysv-scripts with placeholders in the values failed"
for f in "$tmp/root/var/spool/lp/model/$q2" "$tmp/user/$q2.sh"; do
  sh -n "$f" || fail "sh -n $f"
  grep -qF "'p@NAME@;touch CANARY;'" "$f" || fail "$f does not hold the program as one word"
  (cd "$tmp/cwd" && sh "$f" 12 bob t 1 '' "$tmp/job" 2>/dev/null; exit 0)
done
if find "$tmp" -name CANARY | grep -q .; then fail "a value ran as shell text"; fi

# Existing scripts are only replaced after a yes; jarnctl answers no.
if (JARNUSERDIR="$tmp/user" JARNLPMODE=LP "$jarnctl" -R "$tmp/root" sysv-scripts "$queue" 2>/dev/null); then
  fail "existing scripts were replaced without a yes"
fi
grep -q "$tmp/filter" "$model" || fail "the model script was changed"
# A name with a slash names no script.
if JARNUSERDIR="$tmp/user" "$jarnctl" -R "$tmp/root" sysv-scripts "../x" >/dev/null 2>&1; then
  fail "a name with a slash was taken"
fi
[ ! -e "$tmp/x.sh" ] || fail "a script was written outside the user directory"
echo "ok: jarnctl sysv-scripts"

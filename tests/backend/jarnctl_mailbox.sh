#!/bin/bash
# The mailbox file as a user's shell sees it: jarnctl mailbox-write makes a
# file of mode 0640 (group lp where that group exists) that mailbox-read
# turns back into the same table; a rewrite replaces the file.
# $1: the jarnctl program.
set -u
JARNCTL=${1:?usage: jarnctl_mailbox.sh JARNCTL}
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$T/table" <<'TABLE'
alice 5 1 - - - NNNN
bob -1 0 1234 - - NSNN
carol 0 0 - 815 geheim NNSS
dave 99 1 42 7 pw SSSS
eve -1 0 u=123 - m=5p=x NSNS
frank 1000 1 - - - SNNN
TABLE

F="$T/JarnMailBoxFile"
"$JARNCTL" mailbox-write "$F" <"$T/table" || fail "mailbox-write failed"
[ "$(stat -c %a "$F")" = 640 ] || fail "mode is $(stat -c %a "$F"), not 640"
if getent group lp >/dev/null && [ "$(id -u)" = 0 ]; then
  [ "$(stat -c %G "$F")" = lp ] || fail "group is $(stat -c %G "$F"), not lp"
fi

"$JARNCTL" mailbox-read "$F" 1000 >"$T/back" || fail "mailbox-read failed"
diff -u "$T/table" "$T/back" || fail "table read back differs"

# With the default highest box (100) frank's box 1000 is not taken, and the
# line has nothing else, so frank is not read at all.
"$JARNCTL" mailbox-read "$F" >"$T/back100" || fail "mailbox-read failed"
head -n 5 "$T/table" | diff -u - "$T/back100" || fail "default read differs"

# A rewrite replaces the file (a new inode) and keeps the mode.
before=$(stat -c %i "$F")
echo "alice 6 0 - - - NNNN" | "$JARNCTL" mailbox-write "$F" || fail "rewrite failed"
[ "$(stat -c %i "$F")" != "$before" ] || fail "rewrite kept the inode"
[ "$(stat -c %a "$F")" = 640 ] || fail "mode after rewrite is $(stat -c %a "$F")"
[ "$("$JARNCTL" mailbox-read "$F")" = "alice 6 0 - - - NNNN" ] || fail "rewritten table differs"

# Bad input and an unwritable place fail with a message and a non-zero exit.
echo "alice five 0 - - - NNNN" | "$JARNCTL" mailbox-write "$T/x" 2>"$T/err" && fail "bad box accepted"
grep -q "bad box" "$T/err" || fail "no message for a bad box"
echo "plain" >"$T/plain"
echo "alice 1 0 - - - NNNN" | "$JARNCTL" mailbox-write "$T/plain/JarnMailBoxFile" 2>"$T/err" \
  && fail "write into a non-directory succeeded"
grep -q "Cannot write the mailbox file" "$T/err" || fail "no message for an unwritable file"
"$JARNCTL" mailbox-read "$T/missing" 2>/dev/null && fail "reading a missing file succeeded"
echo "PASS"

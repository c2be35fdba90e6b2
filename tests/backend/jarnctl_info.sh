#!/bin/bash
# The information file as a user's shell sees it: jarnctl info-create writes
# the default file and the printer's directories, the edit subcommands change
# it line by line, info-list reads it back. $1 is the jarnctl program.
set -u
J=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
DATA=$(cd "$(dirname "$0")" && pwd)/data
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }

# The golden copy with the directory put in.
golden() {
  local text
  text=$(cat "$DATA/$1"; printf x)
  text=${text%x}
  printf '%s' "${text//@DIR@/$2}"
}

# info-create writes the default file for the directory and printer "Default".
"$J" info-create "$T/opt" 2>"$T/err" || fail "info-create exited $?"
grep -q "Should I create it now?" "$T/err" || fail "the question was not asked"
golden info_default.txt "$T/opt" >"$T/expected"
cmp "$T/expected" "$T/opt/jarnInfo2.0" || fail "default file differs from the golden copy"
[ "$(tail -c 1 "$T/opt/jarnInfo2.0" | od -An -c | tr -d ' ')" = "D" ] ||
  fail "the file does not end in %%QOREND without a line feed"
[ "$(wc -l <"$T/opt/jarnInfo2.0")" = 26 ] || fail "not 27 lines"
modes=$(stat -c %a "$T/opt" "$T/opt/Default" "$T/opt/Default/root" | tr '\n' ' ')
[ "$modes" = "755 755 755 " ] || fail "directory modes are '$modes'"

# A printer name is never a path.
"$J" info-create "$T/bad" "../evil" 2>/dev/null && fail "info-create accepted ../evil"
[ -e "$T/evil" ] && fail "info-create made a directory outside"

F=$T/opt/jarnInfo2.0
# Adding a printer: a PRINTERS line and an empty PRNT block before %%QOREND.
"$J" info-add-printer "$F" Lab2 || fail "info-add-printer exited $?"
golden info_add_printer.txt "$T/opt" >"$T/expected"
cmp "$T/expected" "$F" || fail "file after adding Lab2 differs from the golden copy"
grep -q '^$' "$F" && fail "an empty line after an edit"

# Users on the printer and in the USERS block, listed back.
"$J" info-add-user "$F" bob Lab2 || fail "info-add-user to Lab2 exited $?"
"$J" info-add-user "$F" alice || fail "info-add-user exited $?"
"$J" info-list "$F" >"$T/list" || fail "info-list exited $?"
printf '%s\n' "USRDIR $T/opt" "HOMEDIR ${HOME-}" "TMPDIR /tmp" "PRINTER Default root" \
  "PRINTER Lab2 bob" "USER root" "USER alice" >"$T/expected"
diff "$T/expected" "$T/list" || fail "info-list output differs"

# Deleting a printer takes its line and its block; the others stay.
"$J" info-del-printer "$F" Default || fail "info-del-printer exited $?"
"$J" info-list "$F" >"$T/list"
grep -qE "^PRINTER Default( |$)" "$T/list" && fail "Default still listed"
grep -qx "PRINTER Lab2 bob" "$T/list" || fail "Lab2 lost: $(cat "$T/list")"
grep -q "PRNT_BEGIN Default$" "$F" && fail "Default's block stayed"
"$J" info-add-printer "$T/missing/jarnInfo2.0" P 2>/dev/null && fail "edit of a missing file succeeded"

# GENERAL values are expanded without a shell.
cd "$T" || exit 1
sed -i 's|^TMPDIR .*|TMPDIR          $(touch canary)|' "$F"
grep -q 'touch canary' "$F" || fail "the test could not put the value in"
"$J" info-list "$F" >"$T/list" 2>&1
grep -qx 'TMPDIR $(touch canary)' "$T/list" || fail "TMPDIR not kept literal: $(grep TMPDIR "$T/list")"
[ -e "$T/canary" ] && fail "a command in a value was run"

[ $fails -eq 0 ] && echo "jarnctl info: all checks passed"
exit $((fails > 0))

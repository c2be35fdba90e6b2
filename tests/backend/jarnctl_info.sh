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

# Edits through a link change the file it leads to, keeping its mode; a
# link to a missing file is refused.
mkdir "$T/real" && cp "$F" "$T/real/jarnInfo2.0" && chmod 600 "$T/real/jarnInfo2.0"
ln -s "$T/real/jarnInfo2.0" "$T/link" && ln -s "$T/nowhere" "$T/dangling"
"$J" info-add-printer "$T/link" Linked || fail "edit through a link exited $?"
[ -L "$T/link" ] || fail "the link was replaced by a file"
grep -qx Linked "$T/real/jarnInfo2.0" || fail "the link's target lacks the printer"
[ "$(stat -c %a "$T/real/jarnInfo2.0")" = 600 ] || fail "the target's mode changed"
"$J" info-add-printer "$T/dangling" P 2>"$T/err" && fail "edit through a dangling link succeeded"
grep -q "$T/dangling" "$T/err" || fail "no message names the dangling link"
[ -e "$T/nowhere" ] && fail "the dangling link's target was made"

# Concurrent edits take turns; a killed writer's temporary goes with the next edit.
# (Forty writers: under a loaded sanitizer run the last of a hundred could
# wait past the lock's 10 s and give up, as it should.)
echo secret >"$T/real/.jarnInfo2.0.Xy12Zw"
for i in $(seq 1 20); do
  "$J" info-add-printer "$T/link" "A$i" & "$J" info-add-printer "$T/link" "B$i" &
done
wait
[ "$("$J" info-list "$T/link" | grep -c '^PRINTER [AB][0-9]')" = 40 ] ||
  fail "concurrent edits lost printers"
[ -e "$T/real/.jarnInfo2.0.Xy12Zw" ] && fail "a stale temporary was left"

# An existing file with a damaged GENERAL block is never replaced.
sed -i 's/GENERAL_BEGIN/GENERAL_BEGN/' "$F" && cp "$F" "$T/before"
"$J" info-create "$T/opt" 2>"$T/err"
[ $? = 255 ] || fail "info-create on a damaged file did not end with 255"
cmp -s "$T/before" "$F" || fail "the damaged file was changed"
grep -q "has no valid general block" "$T/err" || fail "no message on the damaged file"
sed -i 's/GENERAL_BEGN/GENERAL_BEGIN/' "$F"

# GENERAL values are expanded without a shell.
cd "$T" || exit 1
sed -i 's|^TMPDIR .*|TMPDIR          $(touch canary)|' "$F"
grep -q 'touch canary' "$F" || fail "the test could not put the value in"
"$J" info-list "$F" >"$T/list" 2>&1
grep -qx 'TMPDIR $(touch canary)' "$T/list" || fail "TMPDIR not kept literal: $(grep TMPDIR "$T/list")"
[ -e "$T/canary" ] && fail "a command in a value was run"

[ $fails -eq 0 ] && echo "jarnctl info: all checks passed"
exit $((fails > 0))

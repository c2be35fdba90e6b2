# Shared set-up of the page tests that step the program with jarn-drive:
# a scratch directory, a private CUPS daemon (cups-with-queues.sh), an
# installation directory $W with its information file, and the table checks.
# Sourced by a test after it set `drive` and `jarnctl`:
#
#   . "$here/page_test_lib.sh" NAME [cups-with-queues.sh start arguments...]
#
# `table <<T | check TITLE [jarn-drive options]` runs the steps of a table (a
# step a line; "#" lines are comments; "@PPD" stands for $ppd) and compares
# what jarn-drive prints, tabs shown as \t, with the expected lines: what
# follows each "=>", split at "|". Failures are counted in $failures.
shopt -s lastpipe  # "table ... | check": check runs in this shell and counts here
base=$(mktemp -d "${TMPDIR:-/tmp}/jarn-$1-XXXXXX") || exit 1
shift
failures=0
jarn_pid=
cleanup() {
  [ -n "$jarn_pid" ] && kill "$jarn_pid" 2>/dev/null && wait "$jarn_pid" 2>/dev/null
  "$here/cups-with-queues.sh" stop "$base/cups"
  rm -rf "$base"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$here/cups-with-queues.sh" start "$base/cups" "$@" || { fail "no private CUPS daemon"; exit 1; }
set -a; . "$base/cups/env"; set +a
W=$base/w
mkdir -p "$W"
"$jarnctl" info-create "$W" >/dev/null 2>&1
export JARNINFO=$W/jarnInfo2.0

check() {
  local title=$1 script
  shift
  script=$(sed -e 's/ *=>.*//' -e '/^#/d' -e "s|@PPD|${ppd:-@PPD}|")
  (cd "$base" && printf '%s\n' "$script" | "$drive" "$@" -W "$W" >"$base/got" 2>"$base/err") ||
    fail "$title: driver: $(grep jarn-drive "$base/err")"
  diff <(printf '%s\n' "$(cat "$base/expect")") <(printf '%s\n' "$(sed 's/\t/\\t/g' "$base/got")") \
    >"$base/diff" || fail "$title:
$(cat "$base/diff")"
}
table() { tee "$base/table" | sed -n 's/.*=> *//p' | tr '|' '\n' >"$base/expect"; cat "$base/table"; }

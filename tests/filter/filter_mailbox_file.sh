#!/usr/bin/env bash
# The mailbox file as the administration program's back end writes it
# (through jarnctl), read by the filter at print time for the job's user
# and for root.
#   filter_mailbox_file.sh /path/to/qorgsfilter /path/to/jarnctl
set -euo pipefail
filter=$1
jarnctl=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

mkdir -p "$work/data/Office/root"
box="$work/data/Office/root/JarnMailBoxFile"
# login box proof securePW userID userPW flags(mailbox secure id idPW)
printf '%s\n' \
  'alice 12 1 4321 000777 pw NNNN' \
  'bob -1 0 - 555 bobpw NNSN' \
  'root 3 0 - 900 rootpw SNNN' | "$jarnctl" mailbox-write "$box"

job() {  # user, then options: the header the filter writes for that user
  local user=$1
  shift
  printf 'x' | JARNDATADIR="$work/data" PRINTER=Office "$filter" -u"$user" "$@"
}
expect() {  # header text, line wanted
  grep -a -q -x -F -- "$2" <<< "$1" || fail "missing '$2' in: $(grep -a 'VELPJL' <<< "$1" | tr '\n' '|')"
}
refuse() {
  if grep -a -q -x -F -- "$2" <<< "$1"; then fail "unexpected '$2'"; fi
}

# alice: root's box overrides her own (her line does not override), her
# secure password and account pair stand.
h=$(job alice)
expect "$h" '@PJL COMMENT VELPJL SET MAILBOXNUMBER=3'
expect "$h" '@PJL COMMENT VELPJL SET SECUREPASSWD=4321'
expect "$h" '@PJL COMMENT VELPJL SET USERID=000777'
expect "$h" '@PJL COMMENT VELPJL SET USERPWD=pw'
# bob: his ID overrides the command line's, and its password moves with it.
h=$(job bob -UID=42 -UPW=x)
expect "$h" '@PJL COMMENT VELPJL SET USERID=555'
expect "$h" '@PJL COMMENT VELPJL SET USERPWD=bobpw'
expect "$h" '@PJL COMMENT VELPJL SET MAILBOXNUMBER=3'
# carol has no line: root's values; root's mailbox overrides -B.
h=$(job carol -BB20)
expect "$h" '@PJL COMMENT VELPJL SET MAILBOXNUMBER=3'
expect "$h" '@PJL COMMENT VELPJL SET USERID=900'
expect "$h" '@PJL COMMENT VELPJL SET USERPWD=rootpw'
# "al" is not alice.
h=$(job al)
refuse "$h" '@PJL COMMENT VELPJL SET SECUREPASSWD=4321'

if [ "$failures" -gt 0 ]; then
  echo "--- mailbox file" >&2; cat "$box" >&2
  exit 1
fi
echo "filter_mailbox_file: all checks passed"

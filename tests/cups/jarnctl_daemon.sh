#!/usr/bin/env bash
# jarnctl against the private daemon of private-cupsd.sh run, as an
# administrator's shell would use it.
#   jarnctl_daemon.sh JARNCTL
set -u
jarnctl=$1
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }
expect_in() {  # TEXT WHAT MESSAGE
  case "$1" in *"$2"*) ;; *) fail "$3: '$2' not in: $1" ;; esac
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

out=$("$jarnctl" detect --no-version)
expect_in "$out" "lpMode 8" "detect"
expect_in "$out" "tool 0 /usr/sbin/cupsaccept" "detect finds cupsaccept"
expect_in "$out" "cupsDir $JARNCUPSDIR" "detect"

"$jarnctl" create T1 --connect 3 --host 127.0.0.1 --port 9101 || fail "create T1"
expect_in "$(lpstat -v T1)" "socket://127.0.0.1:9101" "lpstat -v T1"
expect_in "$(lpstat -a T1)" "T1 accepting requests" "lpstat -a T1"
expect_in "$("$jarnctl" list)" "T1" "list"

# Trace level 1: the command lines are printed, nothing runs.
err=$("$jarnctl" -Z 1 create 'a;b' --connect 7 --file /dev/null 2>&1 >/dev/null) || fail "-Z 1 create"
expect_in "$err" '/usr/sbin/lpadmin -p a;b -v file:/dev/null -D "Jarn 2.0 local file Queue" -o printer-error-policy=retry-job 2>/dev/null' "-Z 1 line"
expect_in "$(lpstat -v 'a;b' 2>&1)" "Invalid destination" "a;b is not created"

# Trace level 2: printed and run, the name taken literally.
"$jarnctl" -Z 2 create 'q$(touch${IFS}canary)' --connect 7 --file /dev/null 2>/dev/null || fail "-Z 2 create"
expect_in "$(lpstat -v 'q$(touch${IFS}canary)')" 'device for q$(touch${IFS}canary): /dev/null' "literal queue"
[ -e canary ] || [ -e /canary ] && fail "a canary file appeared"
"$jarnctl" delete 'q$(touch${IFS}canary)' || fail "delete the literal queue"

# A change made with lpadmin is seen at once: the daemon is asked, not the
# printers.conf it writes about 30 s later.
"$jarnctl" create DQ --connect 3 --host 127.0.0.1 --port 9101 || fail "create DQ"
lpadmin -p DQ -o printer-error-policy=abort-job || fail "lpadmin DQ"
expect_in "$("$jarnctl" show DQ 2>/dev/null)" "error-policy abort-job" "show DQ at once"

# Queue names and hosts. A refused one gives a message whose OK returns to
# the page (code 11) and runs nothing: at trace level 2 every command would
# be printed. An accepted one gets the URI.
#   create_row ok|no QUEUE URI|- ARGS...
create_row() {
  local want=$1 queue=$2 uri=$3; shift 3
  local out rc
  out=$("$jarnctl" -Z 2 create "$queue" "$@" 2>&1); rc=$?
  if [ "$want" = no ]; then
    [ "$rc" != 0 ] || fail "create '$queue' $* was accepted"
    case "$out" in *lpadmin*|*cupsaccept*) fail "create '$queue' $*: ran: $out" ;; esac
    expect_in "$out" "[11] " "message for '$queue' $*"
  else
    [ "$rc" = 0 ] || fail "create '$queue' $* refused: $out"
    expect_in "$(lpstat -v "$queue" 2>&1)" ": $uri" "device of '$queue'"
  fi
}
long=$(printf 'q%.0s' $(seq 127))
create_row no ''                 - --connect 7 --file /dev/null
create_row no -hevil.example:631 - --connect 3 --host 10.0.0.5
create_row no 'a b'              - --connect 7 --file /dev/null
create_row no "$(printf 'a\tb')" - --connect 7 --file /dev/null
create_row no 'a/b'              - --connect 7 --file /dev/null
create_row no 'a\b'              - --connect 7 --file /dev/null
create_row no 'a#b'              - --connect 7 --file /dev/null
create_row no "a'b"              - --connect 7 --file /dev/null
create_row no 'a"b'              - --connect 7 --file /dev/null
create_row no "${long}q"         - --connect 7 --file /dev/null
create_row ok "$long"            /dev/null --connect 7 --file /dev/null
create_row no H1 - --connect 3 --host 'h@evil'
create_row no H2 - --connect 3 --host 'h:1/x?y#z'
create_row no H3 - --connect 3 --host 'h.example:9100'
create_row no H4 - --connect 3 --host '999.1.1.1'
create_row no H5 - --connect 3 --host '-h.example'
create_row no H6 - --connect 3 --host 'h.example' --port 65536
create_row no H7 - --connect 6 --ipp-host 'h.example:0'
create_row no H8 - --connect 6 --ipp-host '[::1'
create_row no H9 - --connect 2 --lpd-host 'a..b' --lpd-queue raw
create_row ok H10 socket://printer-1.example_x.com:9101 --connect 3 --host printer-1.example_x.com --port 9101
create_row ok H11 'ipp://[::1]:8631/a%20b%23c' --connect 6 --ipp-host '[::1]:8631' --ipp-path 'a b#c'
create_row ok H12 'lpd://10.0.0.7:5515/raw%20q' --connect 2 --lpd-host 10.0.0.7:5515 --lpd-queue 'raw q'
# Deleting and setting check the name too.
for cmd in "delete -x" "set -x error-policy retry-job"; do
  out=$("$jarnctl" -Z 2 $cmd 2>&1) && fail "$cmd was accepted"
  case "$out" in *lpadmin*) fail "$cmd ran: $out" ;; esac
done

# Extra options, read back.
"$jarnctl" set T1 banners standard,none || fail "set banners"
"$jarnctl" set T1 error-policy stop-printer || fail "set error-policy"
"$jarnctl" set T1 device-uri ipp://127.0.0.1:8631/ipp/print || fail "set device-uri"
shown=$("$jarnctl" show T1 2>/dev/null)
expect_in "$shown" "banners standard,none" "show banners"
expect_in "$shown" "error-policy stop-printer" "show policy"
expect_in "$shown" "ipp-host 127.0.0.1:8631" "show ipp host"
expect_in "$shown" "rebuilt-uri ipp://127.0.0.1:8631/ipp/print" "show round trip"
"$jarnctl" set T1 banners nosuch,none 2>/dev/null && fail "an unknown banner is accepted"
"$jarnctl" set T1 ppd /no/such.ppd 2>/dev/null && fail "a missing PPD is accepted"

# A test page on a missing queue fails; delete twice: the second fails.
"$jarnctl" testpage Nope ps 1 2>/dev/null && fail "testpage on a missing queue"
"$jarnctl" delete T1 || fail "delete T1"
"$jarnctl" delete T1 2>/dev/null && fail "deleting a missing queue succeeds"
expect_in "$(lpstat -v T1 2>&1)" "Invalid destination" "T1 is gone"

[ "$fails" = 0 ] && echo "jarnctl_daemon: all passed"
exit $((fails > 0))

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

#!/usr/bin/env bash
# The model page, the option pages with their constraints, the sending of
# changed options and the PPD chooser in the real program (jarn-drive, XTest
# input) against a private CUPS daemon, judged by "lpoptions -l" over TCP and
# by the daemon's copies of the PPDs. Screenshots go to SHOTS (looked at, not
# asserted).
#
#   tests/x11/with-xvfb.sh tests/gui/option_pages_test.sh JARN-DRIVE JARNCTL SHOTS
set -u
drive=$1 jarnctl=$2 shots=$3
here=$(cd "$(dirname "$0")" && pwd)
craft=$here/data/Velta-Craft-PS-en.ppd
base=$(mktemp -d "${TMPDIR:-/tmp}/jarn-options-XXXXXX") || exit 1
failures=0 dpid=
cleanup() {
  [ -n "$dpid" ] && kill "$dpid" 2>/dev/null
  "$here/cups-with-queues.sh" stop "$base/cups"
  rm -rf "$base"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }

"$here/cups-with-queues.sh" start "$base/cups" || { fail "no private CUPS daemon"; exit 1; }
set -a; . "$base/cups/env"; set +a
port=$(sed -n 's/^Listen 127.0.0.1:\([0-9]*\)$/\1/p' "$base/cups/etc/cupsd.conf")
W=$base/w
mkdir -p "$W" "$shots"
"$jarnctl" info-create "$W" >/dev/null 2>&1
odd='q;touch${IFS}canary|x&`y`$(z)'
for q in office "$odd"; do
  lpadmin -p "$q" -v socket://127.0.0.1:9100 -P "$craft" -E 2>/dev/null || fail "lpadmin refused $q"
done
# The queue's current choice of an option, as the daemon tells it.
current() { CUPS_SERVER=127.0.0.1:$port lpoptions -p "$1" -l | sed -n "s/^$2\/.*\*\([^ ]*\).*/\1/p"; }

# A driver fed line by line: `say` sends steps that print nothing, `ask` a
# step and returns what it printed (up to a mark), so that the daemon can be
# asked between steps.
start_drive() {
  rm -f "$base/in" && mkfifo "$base/in"
  (cd "$base" && exec "$drive" -W "$W" <"$base/in" >"$base/out" 2>"$base/err") &
  dpid=$!
  exec 4>"$base/in"
}
say() { printf '%s\n' "$@" >&4; }
ask() {
  local before
  before=$(wc -c <"$base/out")
  say "$1" "say @@"
  for _ in $(seq 400); do
    [ "$(tail -n 1 "$base/out")" = @@ ] && [ "$(wc -c <"$base/out")" -gt "$before" ] && break
    kill -0 "$dpid" 2>/dev/null || break
    sleep 0.05
  done
  tail -c +$((before + 1)) "$base/out" | sed '$d'
}
stop_drive() {
  exec 4>&-
  wait "$dpid" || fail "$1: driver: $(grep jarn-drive "$base/err")"
  dpid=
}

# --- every PPD of the project's set, Debian's cups-filters and ppdc's
# constraint.drv, through the chooser under a class-bearing name: its rows,
# each showing its default, and no crash
(cd "$base" && ppdc -d ppdc /usr/share/cups/examples/constraint.drv) || fail "ppdc"
n=0
for ppd in "$here"/../../ppd/*.ppd "$here"/../../ppd/*.ppd.gz /usr/share/ppd/cupsfilters/*.ppd "$base"/ppdc/*.ppd; do
  n=$((n + 1)) dir=$base/set$n
  mkdir -p "$dir"
  case $ppd in *.gz) copy=$dir/Set$n-PS-en.ppd.gz ;; *) copy=$dir/Set$n-PS-en.ppd ;; esac
  cp "$ppd" "$copy"
  zcat -f "$ppd" | tr -d '\r' >"$base/text"
  model=$(sed -n 's/^\*ModelName: *"\(.*\)".*/\1/p' "$base/text")
  # The defaults of the options that get a menu, from the file itself.
  awk '/^\*(JCL)?OpenUI \*/ { k = $2; sub(/^\*/, "", k); sub(/\/.*/, "", k); sub(/:$/, "", k); ui[k] = 1 }
       /^\*Default[^:]*:/ { k = $1; sub(/^\*Default/, "", k); sub(/:$/, "", k); d[k] = $2 }
       END { for (k in ui) if (k !~ /^(PageRegion|Mailbox|SecuredPassword|UserID|UserPassword)$/) print k, d[k], "shown" }' \
    "$base/text" | sort >"$base/want"
  got=$(cd "$base" && printf '%s\n' "set printerType 1" "set ppdSearchDir $dir" "call showPpdFileBox" \
    "pick ppdFileBoxScrolledL $model" "click ppdFileBoxOKPB" "get ppdFile" "options" | "$drive" -W "$W" 2>"$base/err")
  [ $? = 0 ] || { fail "$ppd: driver: $(tail -2 "$base/err")"; continue; }
  expect "$ppd: file" "$(sed -n 2p <<<"$got")" "$copy"
  diff "$base/want" <(sed -n '3,$p' <<<"$got" | awk '$3 == "shown" { print $1, $2, $3 }' | sort) >"$base/diff" ||
    fail "$ppd: defaults shown: $(cat "$base/diff")"
done

# --- constraints of the crafted PPD: greyed choices, the last conflict's text
got=$(cd "$base" && "$drive" -W "$W" 2>"$base/err" <<EOF
call openPpd $craft
text qorConflictBox
click *qorConflictBox*OK
choose OptG Two
choose Duplex DuplexNoTumble
options
post Duplex
shot $shots/print-options.png
key ppdConfigScrlWndw Escape
call ManageMainForm 3
shot $shots/installable-options.png
EOF
) || fail "constraints: driver: $(grep jarn-drive "$base/err")"
# option, its choices' "shown sensitive" flags; the reason in the comment.
while read -r option flags; do
  line=$(grep "^$option " <<<"$got" | awk '{ printf "%s%s%s", sep, ($3 == "shown" ? "S" : "-"), ($4 == "on" ? "+" : "x"); sep = "," }')
  expect "constraint on $option" "$line" "$flags"
done <<'TABLE'
OptionUnit -+,S+
Duplex -+,Sx,-+
OptB S+,-+
OptD S+,-x
OptF S+,-+
OptG -+,Sx
OptH S+,-x
OptJ S+,-+
OptE S+,-+
OptL Sx,-+
TABLE
# OptB: an empty first choice never applies; OptD: a given second choice is
# greyed unmarked; OptF: an off word (OFF) is spared; OptG: picked, still
# excluded by OptE On, which stays marked; OptH: a lower-case keyword finds
# OptC; OptJ: Mailbox constraints do nothing; OptL: build-time conflict.
expect "last conflict" "$(sed -n 2,3p <<<"$got" | tr '\n' '|')" "Conflict: Option K/On|and Option L|"
grep -q '^PageRegion' <<<"$got" && fail "PageRegion has a row"

# --- sending, judged by the daemon
start_drive
say "set printerName office"
expect "opened" "$(ask "call openPpd $craft")" 1
say "click *qorConflictBox*OK"
expect "unchanged" "$(ask 'call updatePPDOption')" 0
say "choose Duplex DuplexTumble"
expect "changed" "$(ask 'call updatePPDOption')" 1
expect "changed: daemon" "$(current office Duplex)" DuplexTumble
lpadmin -p office -o OptA=Off
say "choose OptA Off" "choose OptA On"
expect "changed back" "$(ask 'call updatePPDOption')" 1
expect "changed back: daemon" "$(current office OptA)" On
say "set printerName off/ice" "choose Duplex DuplexNoTumble"
expect "refused" "$(ask 'call updatePPDOption')" 1
say "set printerName office"
expect "retried" "$(ask 'call updatePPDOption')" 1
expect "retried: daemon" "$(current office Duplex)" DuplexNoTumble
say "set printerName $odd" 'choose Finish x;touch${IFS}canary'
expect "odd names" "$(ask 'call updatePPDOption')" 1
say "set printerName office"
say "scroll MailBox0" "key MailBox0.text Up" "key MailBox0.text Up" "key MailBox0.text Up" "key MailBox0.text Up"
expect "mailbox" "$(ask 'call updatePPDOption')" 1
expect "mailbox: daemon" "$(current office Mailbox)" 3
say "set mailboxMax 3"
expect "mailbox at mailboxMax" "$(ask 'call updatePPDOption')" 1
expect "mailbox at mailboxMax: daemon" "$(current office Mailbox)" None
# (Right first: End leaves the cursor at the start of this spin box's field)
say "key MailBox0.text Right" "counter MailBox0 150"
expect "mailbox out of range: sent as shown" "$(ask 'call updatePPDOption') $(ask 'text MailBox0.text')" "1 -1"
expect "mailbox out of range: daemon" "$(current office Mailbox)" None
say "scroll securePW0" "type securePW0 1234"
expect "password shown" "$(ask 'text securePW0')" '****'
ask 'call updatePPDOption' >/dev/null
expect "password: daemon" "$(current office SecuredPassword)" 1234
say "type securePW0"
ask 'call updatePPDOption' >/dev/null
expect "password cleared: daemon" "$(current office SecuredPassword)" None
say "type securePW0 4321"
expect "a value that does not take" "$(ask 'call failedOptions')" 1
expect "a value that does not take: daemon" "$(current office SecuredPassword)" None
printf '*ModelName: "Broken"\n' >"$base/broken.ppd"
expect "no PPD" "$(ask "call openPpd $base/broken.ppd")" 0
expect "no PPD: rows" "$(ask options)" ""
expect "no PPD: sent" "$(ask 'call updatePPDOption')" 0
stop_drive sending
expect "odd names: daemon" "$(sed -n 's/^\*DefaultFinish: //p' "$base/cups/etc/ppd/$odd.ppd")" 'x;touch${IFS}canary'
[ -n "$(find "$base" / -maxdepth 1 -name 'canary*' 2>/dev/null)" ] && fail "a shell ran the choice"

# --- a custom value in CUPS's form, read back; a hostile PPD's options
# named like queue attributes never sent; a backslash in a choice kept
c400=$(cd "$here/../../ppd" && pwd)/Velta-C400-PS-en.ppd
{ cat "$craft"; printf '%s\n' '*OpenUI *printer-error-policy/P: PickOne' '*Defaultprinter-error-policy: stop-printer' \
  '*printer-error-policy stop-printer/S: ""' '*printer-error-policy abort-job/A: ""' '*CloseUI: *printer-error-policy' \
  '*OpenUI *requesting-user-name-denied/D: PickOne' '*Defaultrequesting-user-name-denied: none' \
  '*requesting-user-name-denied none/N: ""' '*requesting-user-name-denied alice/A: ""' \
  '*CloseUI: *requesting-user-name-denied' '*OpenUI *Slash/S: PickOne' '*DefaultSlash: Plain' '*Slash Plain/P: ""' \
  '*Slash c\d/B: ""' '*CloseUI: *Slash' '*OpenUI *Inserts/I: PickMany' '*DefaultInserts: None' \
  '*Inserts None/N: ""' '*Inserts Front/F: ""' '*CloseUI: *Inserts'; } >"$base/hostile.ppd"
lpadmin -p c4 -v socket://127.0.0.1:9100 -P "$c400" -E 2>/dev/null || fail "lpadmin refused c4"
lpadmin -p hostile -v socket://127.0.0.1:9100 -P "$base/hostile.ppd" -E 2>/dev/null || fail "lpadmin refused hostile"
block() { sed -n "/^<Printer $1>/,/^<\/Printer>/p" "$base/cups/etc/printers.conf" | grep -E 'ErrorPolicy|User'; }
before=$(block hostile)
start_drive
say "set printerName hostile"
expect "hostile opened" "$(ask "call openPpd $base/hostile.ppd")" 1
say "click *qorConflictBox*OK" "choose printer-error-policy abort-job" "choose requesting-user-name-denied alice"
# A pick-many option shows one menu: the choice picked there is sent, and
# named as failed, for CUPS keeps no default of a pick-many.
say 'choose Slash c\d' 'choose Inserts Front'
expect "attribute names and a pick-many: failed" "$(ask 'call failedOptions')" 3
say "set printerName c4"
expect "C400 opened" "$(ask "call openPpd $c400")" 1
say "scroll securePW0" "type securePW0 4321"
expect "custom value" "$(ask 'call failedOptions')" 0
expect "custom value: daemon" "$(sed -n 's/^\*DefaultSecuredPassword: //p' "$base/cups/etc/ppd/c4.ppd")" Custom.4321
stop_drive custom
expect "attribute names: daemon" "$(block hostile)" "$before"
expect "backslash: daemon" "$(sed -n 's/^\*DefaultSlash: //p' "$base/cups/etc/ppd/hostile.ppd")" 'c\d'

# --- the chooser: order, the same model twice, a file gone after listing,
# OK without a selection, nothing usable left
c=$base/chooser
mkdir -p "$c"
sed 's/^\*ModelName: .*/*ModelName: "Alpha"/' "$craft" >"$c/A-PS-en.ppd"
for f in B1 B2; do sed 's/^\*ModelName: .*/*ModelName: "Beta"/' "$craft" >"$c/$f-PS-en.ppd"; done
start_drive
say "set ppdSearchDir $c"
ask "call showPpdFileBox" >/dev/null
expect "order" "$(ask "text ppdFileBoxScrolledL" | tr '\n' ' ')" "Alpha Beta (B1-PS-en.ppd) Beta (B2-PS-en.ppd) "
say "click ppdFileBoxOKPB"
expect "OK without a selection" "$(ask 'get ppdFile')" ""
say "pick ppdFileBoxScrolledL Beta (B2-PS-en.ppd)" "click ppdFileBoxOKPB"
expect "second row" "$(ask 'get ppdFile')" "$c/B2-PS-en.ppd"
ask "call showPpdFileBox" >/dev/null
say "pick ppdFileBoxScrolledL Beta (B1-PS-en.ppd)" "click ppdFileBoxOKPB"
first=$(ask 'get ppdFile')
expect "first row" "$first" "$c/B1-PS-en.ppd"
expect "first Beta" "$(ask 'get modelName')" Beta
ask "call showPpdFileBox" >/dev/null
say "pick ppdFileBoxScrolledL Beta (B1-PS-en.ppd)"
ask 'say listed' >/dev/null
rm "$first"
say "click ppdFileBoxOKPB"
second=$(ask 'get ppdFile')
case $second in "$first" | "") fail "the removed file was not passed over: '$second'" ;; esac
ask "call showPpdFileBox" >/dev/null
say "pick ppdFileBoxScrolledL Beta"
ask 'say listed' >/dev/null
bells=$(ask 'get bellCount')
rm "$second"
say "click ppdFileBoxOKPB"
expect "nothing usable: bells" "$(ask 'get bellCount')" $((bells + 2))
expect "nothing usable: ppdFile kept" "$(ask 'get ppdFile')" "$second"
expect "nothing usable: modelName kept" "$(ask 'get modelName')" Beta
# The project's C400 in German and English: two rows, each its own file;
# an empty directory named in the list's title.
cp "$here"/../../ppd/Velta-C400-PS-??.ppd "$c/" && rm -f "$c"/[AB]*.ppd
say "set ppdSearchDir $c"
ask "call showPpdFileBox" >/dev/null
expect "C400 rows" "$(ask "text ppdFileBoxScrolledL" | tr '\n' ' ')" "Velta C400 PS (German) Velta C400 PS (English) "
for lang in German:de English:en; do
  say "pick ppdFileBoxScrolledL Velta C400 PS (${lang%:*})" "click ppdFileBoxOKPB"
  expect "C400 ${lang%:*}" "$(ask 'get ppdFile')" "$c/Velta-C400-PS-${lang#*:}.ppd"
  ask "call showPpdFileBox" >/dev/null
done
rm "$c"/*.ppd
ask "call showPpdFileBox" >/dev/null
expect "empty list" "$(ask "text ppdFileBoxTitleLbl" | tr '\n' ' ')" "No PS printer model (*-PS-*.ppd) in: $c "
stop_drive chooser

[ "$failures" = 0 ] && echo "option pages: all passed"
exit $((failures > 0))

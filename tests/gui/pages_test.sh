#!/usr/bin/env bash
# The queue and connection pages in the real program (jarn-drive, XTest
# input) against a private CUPS daemon, judged by the daemon's device URIs;
# and Jarn.exe -Z1 driven from outside with xdotool.
#
#   tests/x11/with-xvfb.sh tests/gui/pages_test.sh JARN-DRIVE JARNCTL JARN.EXE
set -u
drive=$1 jarnctl=$2 jarn=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/page_test_lib.sh" pages foreign

# Managed queues: name, device URI, stored PRINTERTYPE.
while read -r name uri type; do
  lpadmin -p "$name" -v "$uri" -E || fail "lpadmin refused $name"
  "$jarnctl" info-add-printer "$JARNINFO" "$name" && "$jarnctl" info-add-user "$JARNINFO" root "$name"
  mkdir -p "$W/$name/root" && "$jarnctl" config-write "$W" "$name" printerType="$type" >/dev/null
done <<TABLE
office socket://127.0.0.1:9100 1
lpdq lpd://127.0.0.1/LP 2
lpdraw lpd://127.0.0.1/raw 1
localq parallel:/dev/lp1 1
usbq usb://Velta/P%201?serial=7 1
ippq ipp://127.0.0.1/printers/x 1
fileq file:$base/out 1
pt11 socket://127.0.0.1:9103 11
PRINTERTYPE5x socket://127.0.0.1:9104 2
TABLE
printf 'MFG:Velta;MDL:P 1;SN:7;\n' >"$base/one.ids"
printf 'MFG:Velta;MDL:Q 2;SN:8;\n' >"$base/other.ids"
: >"$base/none.ids"


# --- Next and the masks: type x empty or filled fields x raw x new or existing
table <<'T' | check "Next and masks"
click mainMenuMainCreate
type queNameTxt newq
click queNextPB
get panelMode                                  => 1
pick queTypeMenu Remote LPD
sensitive queLPDNextPB                         => 0
type lpdIPAddressTxt printer
sensitive queLPDNextPB                         => 1
get tabMask                                    => 7
pick remQMenu Other
sensitive queLPDNextPB                         => 0
type lpdRemQTxt q1
sensitive queLPDNextPB                         => 1
pick queTypeMenu Remote TCP/IP(9100)
sensitive queLPDNextPB                         => 0
type con9100IPTxt printer
sensitive queLPDNextPB                         => 1
pick queTypeMenu Remote IPP
sensitive queLPDNextPB                         => 0
type conIPPTxt printer
sensitive queLPDNextPB                         => 1
pick queTypeMenu Local
pick connectLocalDevice Other
sensitive queLPDNextPB                         => 0
type connectDevNameTxt /dev/x
sensitive queLPDNextPB                         => 1
pick queTypeMenu File
sensitive queLPDNextPB                         => 0
type contFileNameTxt /tmp/f
sensitive queLPDNextPB                         => 1
get connectTypeChanged                         => 0
click queLPDPreviousPB
pick queueTypeMenu raw
get connectType                                => 7
sensitive queLPDNextPB                         => 0
# type 1 kept without CUPS; the TCP/IP entry off under another spooler
set cupsFound 0
set connectType 1
set lpMode 1
pick queueTypeMenu PCL
get connectType                                => 1
sensitive remQTCPMenuPB                        => 0
T

# --- names and values
table <<'T' | check "names and values"
call setQueueName * 
sensitive queNextPB                            => 0
get tabMask                                    => 1
type queNameTxt a@b
call goThroughPanel 0                          => 0
get messageCode                                => 11
click okMainPB
get printerName                                => a@b
call setQueueName pt11
text queueTypeMenu                             => raw
call setQueueName PRINTERTYPE5x
text queueTypeMenu                             => PCL
type queNameTxt lpdq
click queNextPB
text remQMenu                                  => Other
text lpdRemQTxt                                => LP
sensitive lpdRemQTxt                           => 1
set lpdRemoteKind 255
set modelName M
call getSetupInfo                              => 1
get remoteQueue                                => unknown
click queLPDPreviousPB
type queNameTxt lpdraw
click queNextPB
text lpdRemQTxt                                => raw
click queLPDPreviousPB
type queNameTxt office
click queNextPB
# Emptying the field passes 910, 91, 9; then each text as typed.
type con9100PortTxt 0
get tcpPort                                    => 9
type con9100PortTxt -5
get tcpPort                                    => 9
type con9100PortTxt 9101x
get tcpPort                                    => 9101
type con9100PortTxt 70000
get tcpPort                                    => 7000
type con9100PortTxt 99999999999
get tcpPort                                    => 9999
type con9100IPTxt 127.0.0.9
click queLPDPreviousPB
click queNextPB
get tcpHost                                    => 127.0.0.9
click queLPDPreviousPB
type queNameTxt foreign
click queDelQPB
get messageCode                                => 2
T

# --- a managed queue of each type loaded, a field edited, the URI sent (these
# queues have no PPD: a model is named for each, as none is kept from the last)
table <<'T' | check "loads and edits sent"
type queNameTxt office
click queNextPB
get connectType                                => 3
get tcpHost                                    => 127.0.0.1
get tcpPort                                    => 9100
get deviceUriChanged                           => 0
# the type in force chosen again changes nothing
pick queTypeMenu Remote TCP/IP(9100)
get connectTypeChanged                         => 0
get deviceUriChanged                           => 0
type con9100PortTxt 9101
set modelName M
call applyQueueSetup 0                         => 0
get deviceUriChanged                           => 0
click queLPDPreviousPB
type queNameTxt lpdq
click queNextPB
set modelName M
get deviceUriChanged                           => 0
type lpdIPAddressTxt 127.0.0.2
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt localq
click queNextPB
set modelName M
text connectLocalDevice                        => /dev/lp1
pick connectLocalDevice /dev/ttyb
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt ippq
click queNextPB
set modelName M
type conIPPPortTxt printers/y
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt fileq
click queNextPB
set modelName M
type contFileNameTxt /tmp/jarn-pages-out
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt usbq
usb-ids none.ids
click queNextPB
set modelName M
get usbVariant                                 => 1
get usbDeviceId                                => Velta/P%201?serial=7
type usbDevTxt Velta/Q?serial=9
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt pt11
click queNextPB
pick queTypeMenu File
type contFileNameTxt /tmp/jarn-pt11
get connectTypeChanged                         => 1
get deviceUriChanged                           => 1
call applyQueueSetup 0                         => 0
T
while read -r name uri; do
  got=$(lpstat -v "$name" 2>&1)
  [ "$got" = "device for $name: $uri" ] || fail "sent URI of $name: $got"
done <<TABLE
office socket://127.0.0.1:9101
lpdq lpd://127.0.0.2/LP
localq serial:/dev/ttyb
ippq ipp://127.0.0.1/printers/y
fileq /tmp/jarn-pages-out
usbq usb://Velta/Q?serial=9
pt11 /tmp/jarn-pt11
TABLE

# --- USB with canned device IDs: found, none, a toggle off rescans, read-back
lpadmin -p usbq -v 'usb://Velta/P%201?serial=7'
table <<'T' | check "USB list"
usb-ids one.ids
type queNameTxt usbq
click queNextPB
get usbVariant                                 => 0
get usbDevicePath                              => Velta/P%201?serial=7
usb-ids none.ids
toggle usbSelectTB 1
type usbDevTxt
toggle usbSelectTB 0
text usbScrlList                               =>
sensitive queLPDNextPB                         => 0
usb-ids other.ids
toggle usbSelectTB 1
toggle usbSelectTB 0
row usbScrlList 1
call getSetupInfo                              => 1
get usbDevicePath                              => Velta/Q%202?serial=8
T

# --- at the start-up size (640x480) every control of every page inside its
# page and the window, lists with rows enough; a name with "@" picked whole
# and deleted; a file queue whose path holds a blank
lpadmin -p 'zz@q' -v socket://127.0.0.1:9100 || fail "lpadmin refused zz@q"
table <<T | check "start-up size"
inside jarn                                    => ok
pick printerScrlList * zz@q
text queNameTxt                                => zz@q
click mainMenuMainCreate
type queNameTxt blankq
click queNextPB
pick remQMenu Other
inside formParent                              => ok
type lpdRemQTxt q9
get remoteQueue                                => q9
pick queTypeMenu Remote TCP/IP(9100)
inside formParent                              => ok
pick queTypeMenu Remote IPP
inside formParent                              => ok
usb-ids one.ids
pick queTypeMenu Local USB
toggle usbSelectTB 1
toggle usbSelectTB 0
inside formParent                              => ok
rows usbScrlList 4                             => ok
pick queTypeMenu Local
inside formParent                              => ok
pick queTypeMenu File
inside formParent                              => ok
type contFileNameTxt $base/out blank
click queLPDPreviousPB
pick queueTypeMenu raw
create                                         => 1
call ManageMainForm 2                          => 0
inside ppdSelMainForm                          => ok
call openPpd $here/../../ppd/Velta-C400-PS-en.ppd => 1
call ManageMainForm 3                          => 0
inside ppdSel2Form                             => ok
call ManageMainForm 4                          => 0
inside ppdSel2Form                             => ok
call ManageMainForm 6                          => 0
inside advOptMainForm                          => ok
rows uMailBoxScrlList 5                        => ok
call setAdvOptMode 2                           => 0
inside advOptMainForm                          => ok
call ManageMainForm 5                          => 0
inside advOptMainForm                          => ok
call ManageMainForm 7                          => 0
inside jarnMessageBox                          => ok
T
[ "$(lpstat -v blankq 2>&1)" = "device for blankq: $base/out%20blank" ] || fail "blank path: $(lpstat -v blankq 2>&1)"
printf '%s\n' 'pick printerScrlList * zz@q' 'text mainQueueNameLbl' 'get printerName' 'click queDelQPB' 'click okMainPB' |
  (cd "$base" && "$drive" -W "$W") >"$base/at" 2>/dev/null
[ "$(tr -d ' ' <"$base/at" | head -n 2 | tr '\n' ' ')" = "zz@q zz@q " ] || fail "@ name picked: $(cat "$base/at")"
lpstat -v 'zz@q' >/dev/null 2>&1 && fail "zz@q not deleted: $(cat "$base/at")"

# --- each record says what CUPS holds: the /dev/null device read back after
# a TCP queue and saved unedited; LPD changed to TCP; a port change dropped by
# the pick of another queue; a record of random bytes, loaded with the
# daemon's PPD of its queue; a file queue's relative path refused on Save and
# OK; "ipp@q" beside a managed "ipp"; a queue removed from a shell before Save
ppd=$here/../../ppd/Velta-C400-PS-en.ppd
while read -r name uri fields; do
  lpadmin -p "$name" -v "$uri" -E -P "$ppd" 2>/dev/null || fail "lpadmin refused $name"
  "$jarnctl" info-add-printer "$JARNINFO" "$name" && "$jarnctl" info-add-user "$JARNINFO" root "$name"
  # shellcheck disable=SC2086
  mkdir -p "$W/$name/root" && "$jarnctl" config-write "$W" "$name" printerType=1 tmpDir=/tmp $fields \
    ppdFile="$JARNCUPSDIR/etc/cups/ppd/$name.ppd" >/dev/null
  cp "$W/$name/root/jarnConfig" "$base/$name.record"
done <<TABLE
tcpq socket://10.0.0.5:9100 connectType=3 printerHost=10.0.0.5 tcpPort=9100
nullq file:/dev/null connectType=4 deviceName=/dev/null
lpdhq lpd://printhost.example/lp connectType=2 printerHost=printhost.example remoteQueue=lp
portq socket://127.0.0.1:9110 connectType=3 printerHost=127.0.0.1 tcpPort=9110
rndq socket://127.0.0.1:23653 connectType=3 printerHost=127.0.0.1 tcpPort=9100
goneq socket://127.0.0.1:9120 connectType=3 printerHost=127.0.0.1 tcpPort=9120
ipp socket://127.0.0.1:9130 connectType=3 printerHost=127.0.0.1 tcpPort=9130
TABLE
head -c 512 /dev/urandom >"$W/rndq/root/jarnConfig"
lpadmin -p 'ipp@q' -v socket://127.0.0.1:9131 || fail "lpadmin refused ipp@q"
cp "$W/fileq/root/jarnConfig" "$base/fileq.record"
F="11 File Name|---------|The file name '-x a'|must be a full path beginning with '/'."
table <<T | check "records"
pick printerScrlList tcpq
click queNextPB
click queLPDPreviousPB
pick printerScrlList nullq
click queNextPB
get connectType                                => 4
text connectLocalDevice                        => /dev/null
text con9100IPTxt                              =>
click mainMenuMainSave
click okMainPB
click queLPDPreviousPB
pick printerScrlList lpdhq
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 10.1.1.1
click mainMenuMainSave
click okMainPB
click queLPDPreviousPB
pick printerScrlList portq
click queNextPB
type con9100PortTxt 9111
click queLPDPreviousPB
pick printerScrlList tcpq
click mainMenuMainSave
get deviceUriChanged                           => 0
pick printerScrlList rndq
click queNextPB
notice                                         => 1 Configuration Problem|---------------------|Configuration file:|$W/rndq/root/jarnConfig|cannot be read: it is not a printer configuration file
text con9100IPTxt                              => 127.0.0.1
text con9100PortTxt                            => 23653
get ppdFile                                    => $JARNCUPSDIR/etc/cups/ppd/rndq.ppd
type con9100PortTxt 23654
click mainMenuMainSave
click okMainPB
click queLPDPreviousPB
pick printerScrlList fileq
click queNextPB
type contFileNameTxt -x a
click mainMenuMainSave
notice                                         => $F
click okMainPB
notice                                         => $F
click queLPDPreviousPB
pick printerScrlList * ipp@q
get queueManaged                               => 0
T
check_records() {
  while read -r name uri; do
    [ "$(lpstat -v "$name" 2>&1)" = "device for $name: $uri" ] || fail "$name in CUPS: $(lpstat -v "$name" 2>&1)"
  done
}
check_records <<TABLE
nullq /dev/null
lpdhq socket://10.1.1.1:9100
portq socket://127.0.0.1:9110
fileq /tmp/jarn-pages-out
TABLE
grep -q "^PPDFILE *$JARNCUPSDIR/etc/cups/ppd/rndq.ppd\$" "$W/rndq/root/jarnConfig" || fail "rndq's PPD: $(grep PPD "$W/rndq/root/jarnConfig")"
cmp -s "$base/fileq.record" "$W/fileq/root/jarnConfig" || fail "fileq's record changed"
cmp -s "$base/nullq.record" "$W/nullq/root/jarnConfig" || fail "nullq's record rewritten: $(cat "$W/nullq/root/jarnConfig")"
cmp -s "$base/portq.record" "$W/portq/root/jarnConfig" || fail "portq's record changed"
[ "$(grep -c '^PRINTERCNCT 3$\|^PRINTERHOST 10.1.1.1$\|^PRINTERREMQ 9100$' "$W/lpdhq/root/jarnConfig")" = 3 ] ||
  fail "lpdhq's record: $(grep PRINTER "$W/lpdhq/root/jarnConfig")"
rm -f "$base/got"
{ printf '%s\n' 'pick printerScrlList goneq' 'click queNextPB' 'type con9100PortTxt 9121' 'say loaded'
  for _ in $(seq 1 300); do grep -q loaded "$base/got" && break; sleep 0.1; done
  lpadmin -x goneq
  printf '%s\n' 'click mainMenuMainSave' 'get messageCode' 'text msgText' 'text printerScrlList'
} | (cd "$base" && "$drive" -W "$W" >"$base/got" 2>/dev/null)
[ "$(sed -n '2,5p' "$base/got" | tr '\n' '|')" = "11|Information Message|-------------------|The printer 'goneq'|" ] &&
  grep -q '^no longer exists in CUPS!$' "$base/got" || fail "goneq: $(cat "$base/got")"
grep -q '^goneq *$' "$base/got" && fail "goneq still listed"
lpstat -v goneq >/dev/null 2>&1 && fail "Save after lpadmin -x made goneq again"

# --- names as CUPS compares them (without regard to ASCII case) and names
# longer than a record holds (48 bytes): OFFICE is the managed office, loaded
# as CUPS spells it; FRONT is the foreign Front; in create mode neither is
# new; new names of 49 bytes (one sharing 48 with the managed $m48) and a
# pasted 128 are refused on Next; "${m48}y", held by CUPS, is judged whole;
# then a create whose name CUPS took in another case after its question.
m48=$(printf 'long%044d' 0) p128=$(printf 'p%0127d' 0)
for q in Front:9140 "$m48":9141 "${m48}y":9142; do
  lpadmin -p "${q%:*}" -v "socket://127.0.0.1:${q#*:}" || fail "lpadmin refused ${q%:*}"
done
"$jarnctl" info-add-printer "$JARNINFO" "$m48" && "$jarnctl" info-add-user "$JARNINFO" root "$m48"
mkdir -p "$W/$m48/root" && "$jarnctl" config-write "$W" "$m48" printerType=1 >/dev/null
cp "$JARNINFO" "$base/info.before" && ls "$W" >"$base/dirs.before"
L="11 Queue Name|----------|The queue name '${m48:0:32}...'|is longer than 48 bytes."
table <<T | check "names as CUPS compares them"
type queNameTxt OFFICE
click queNextPB
text queNameTxt                                => office
get queueManaged                               => 1
get tcpPort                                    => 9101
click queLPDPreviousPB
type queNameTxt OFFICE
click queDelQPB
notice                                         => 2 Delete a Queue|--------------|Are you sure you want to delete queue:|\toffice?|
pick printerScrlList * ${m48}y
get queueManaged                               => 0
click mainMenuMainCreate
type queNameTxt FRONT
get queueExists                                => 1
sensitive queNextPB                            => 0
type queNameTxt OFFICE
sensitive queNextPB                            => 0
fill queNameTxt ${m48}x
click queNextPB
notice                                         => $L
get queueManaged                               => 0
fill queNameTxt ${m48:0:47}yy
click queNextPB
notice                                         => $L
fill queNameTxt $p128
get printerName                                => $p128
T
rm -f "$base/got"
{ printf '%s\n' 'click mainMenuMainCreate' 'type queNameTxt newcase' 'click queNextPB' 'pick queTypeMenu Remote TCP/IP(9100)' \
    'type con9100IPTxt 127.0.0.1' "set ppdFile $ppd" 'set modelName Velta C400 PS' 'click okMainPB' 'say asked'
  for _ in $(seq 1 300); do grep -q asked "$base/got" && break; sleep 0.1; done
  lpadmin -p NEWCASE -v socket://127.0.0.1:9150
  printf '%s\n' 'click okMainPB' 'notice'
} | (cd "$base" && "$drive" -W "$W" >"$base/got" 2>/dev/null)
grep -qx "names the existing queue 'NEWCASE'." "$base/got" || fail "newcase: $(cat "$base/got")"
check_records <<TABLE
Front socket://127.0.0.1:9140
office socket://127.0.0.1:9101
$m48 socket://127.0.0.1:9141
${m48}y socket://127.0.0.1:9142
NEWCASE socket://127.0.0.1:9150
TABLE
cmp -s "$base/info.before" "$JARNINFO" || fail "information file changed: $(diff "$base/info.before" "$JARNINFO")"
[ "$(ls "$W")" = "$(cat "$base/dirs.before")" ] || fail "record folders: $(ls "$W")"

# --- the whole program at -Z1, driven with xdotool through Next, Previous,
# Delete and OK: the delete is printed, the queue and its records remain.
places=$(printf '%s\n' 'where queNameTxt' 'type queNameTxt office' 'where queNextPB' 'click queNextPB' \
  'where queLPDPreviousPB' 'click queLPDPreviousPB' 'where queDelQPB' 'where okMainPB' |
  (cd "$base" && "$drive" -W "$W") 2>/dev/null)
place() { printf '%s\n' "$places" | awk -v w="$1" '$1 == w { print $2, $3 }'; }
"$jarn" -Z1 -W "$W" >"$base/z1.log" 2>&1 &
jarn_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Jarn 2.0-10' 2>/dev/null | head -n 1)
[ -n "$win" ] || fail "-Z1: no main window"
for w in queNameTxt TYPE queNextPB queLPDPreviousPB queDelQPB okMainPB; do
  if [ "$w" = TYPE ]; then xdotool type --delay 50 office; else
    # shellcheck disable=SC2046
    xdotool mousemove --window "$win" $(place "$w") click 1
  fi
  sleep 0.5
done
for _ in $(seq 1 50); do grep -q 'lpadmin -x' "$base/z1.log" && break; sleep 0.1; done
grep -qE '^(/[^ ]*/)?lpadmin -xoffice 2>/dev/null$' "$base/z1.log" || fail "-Z1 delete line: $(cat "$base/z1.log")"
lpstat -v office >/dev/null 2>&1 || fail "-Z1 deleted the queue"
[ -f "$W/office/root/jarnConfig" ] || fail "-Z1 removed the printer directory"
grep -q '^%%QORBLOCK_PRNT_BEGIN office' "$JARNINFO" || fail "-Z1 removed the information-file block"
exit "$failures"

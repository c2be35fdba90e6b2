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

# --- a managed queue of each type loaded, a field edited, the URI sent
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
get deviceUriChanged                           => 0
type lpdIPAddressTxt 127.0.0.2
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt localq
click queNextPB
text connectLocalDevice                        => /dev/lp1
pick connectLocalDevice /dev/ttyb
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt ippq
click queNextPB
type conIPPPortTxt printers/y
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt fileq
click queNextPB
type contFileNameTxt /tmp/jarn-pages-out
call applyQueueSetup 0                         => 0
click queLPDPreviousPB
type queNameTxt usbq
usb-ids none.ids
click queNextPB
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

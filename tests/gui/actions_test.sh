#!/usr/bin/env bash
# The queue actions and context help in the real program (jarn-drive, XTest
# input) against a private CUPS daemon, judged by the daemon and the record
# files; and Jarn.exe -Z1 driven from outside with xdotool.
#
#   tests/x11/with-xvfb.sh tests/gui/actions_test.sh JARN-DRIVE JARNCTL JARN.EXE
set -u
drive=$1 jarnctl=$2 jarn=$3
here=$(cd "$(dirname "$0")" && pwd)
ppd=$(cd "$here/../../ppd" && pwd)/Velta-C400-PS-en.ppd
. "$here/page_test_lib.sh" actions foreign
: >"$base/none.ids"

Q='Printer Queue Creation|----------------------|Do you really want to create the'
E='Empty Entry!|------------|The field for the'

# --- OK with nothing pending, its five cases; each empty entry and each question
table <<T | check "OK, empty entries and questions"
click mainMenuMainCreate
click okMainPB
notice                       => 11 $E printer name|is empty!
type queNameTxt q
click okMainPB
get bellCount                => 2
click queNextPB
set queueExists 1
click okMainPB
get bellCount                => 6
get panelMode                => 1
set queueManaged 1
set queueExists 0
pick queTypeMenu Remote LPD
click okMainPB
notice                       => 11 $E IP Address|or host name of the printer|is empty!
type lpdIPAddressTxt printer
pick remQMenu Other
click okMainPB
notice                       => 11 $E Remote Queue names|of the printer|is empty or non-valid!
pick queTypeMenu File
click okMainPB
notice                       => 11 $E file name|is empty or non-valid!
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt printer
click okMainPB
notice                       => 11 $E model|is empty or non-valid!|
# raw queues
set printerType 5
pick queTypeMenu Remote LPD
pick remQMenu lp
click okMainPB
notice                       => 5 $Q LPD queue:||\t'q'||on the host:|\t\tprinter|with remote queue:|\tlp?
pick queTypeMenu Remote TCP/IP(9100)
click okMainPB
notice                       => 6 $Q TCP/IP queue:||\t'q'||on the host :\t\tprinter|and port :\t9100 ?
pick queTypeMenu Local
click okMainPB
notice                       => 9 $Q local queue:||\t'q'||with device:|\t\t/dev/null?
usb-ids none.ids
pick queTypeMenu Local USB
toggle usbSelectTB 1
type usbDevTxt Velta/P 1(x)%
click okMainPB
notice                       => 8 $Q USB queue:||\t'q'||with 'device' :||\tVelta/P 1(x)% ?
pick queTypeMenu Remote IPP
type conIPPTxt ipphost
type conIPPPortTxt printers/x
click okMainPB
notice                       => 5 $Q IPP queue:||\t'q'||on the host:\t\tipphost|and IPP port:\tprinters/x ?
pick queTypeMenu File
type contFileNameTxt /tmp/out
click okMainPB
notice                       => 10 $Q queue:||\t'q'||with output to the file:|\t\t/tmp/out?
# queues with a model, which sets the stored host
set modelName M
set printerType 2
pick queTypeMenu Remote LPD
click okMainPB
notice                       => 17 $Q Jarn[LPD] PCL :|\t'q'|for the model:|\tM|and IP Address:|\t'printer'|and remote queue|\t'lp' ?
get printerHost              => printer
set printerType 4
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt tcphost
click okMainPB
notice                       => 18 $Q Jarn[TCP/IP] Velta KRPA :|\t'q'|for the model:|\tM|and IP Address:|\t'tcphost'|and TCP/IP port|\t'9100' ?
get printerHost              => tcphost
pick queTypeMenu Local
click okMainPB
notice                       => 21 $Q local Velta KRPA queue:||\t'q'||for the model:|\tM||with device:|\t\t/dev/null?
set printerType 3
pick queTypeMenu Local USB
click okMainPB
notice                       => 20 $Q Jarn[USB] PXL :|\t'q'|for the model:|\tM|and  Address:|\t'Velta/P 1(x)%' ?
get usbDeviceId              => Velta/P 1(x)%
pick queTypeMenu Remote IPP
click okMainPB
notice                       => 19 $Q Jarn[IPP] PXL :|\t'q'|for the model:|\tM|and IP Address:|\t'ipphost'|and IPP port|\t'printers/x' ?
get printerHost              => printer
set printerType 1
pick queTypeMenu File
click okMainPB
text msgText                 => $Q PS queue:|\t'q'||for the model:|\tM||with output to the file:|\t\t/tmp/out?
get messageCode              => 22
T

# --- office created and updated; a setting CUPS refuses, a field it cannot
# take, a create that fails and a dry run: neither of these records anything
U='Information Message|-------------------|The printer'
table <<T | check "create and update"
click mainMenuMainCreate
type queNameTxt office
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 127.0.0.1
set ppdFile @PPD
set modelName Velta C400 PS
click okMainPB
text msgText                 => $Q Jarn[TCP/IP] PS :|\t'office'|for the model:|\tVelta C400 PS|and IP Address:|\t'127.0.0.1'|and TCP/IP port|\t'9100' ?
click okMainPB
get queueManaged             => 1
click queLPDPreviousPB
type queNameTxt office
click queNextPB
type con9100PortTxt 9101
click mainMenuMainSave
text msgText                 => $U 'office'|has been updated!
click okMainPB
click mainMenuMainSave
get panelMode                => 1
set ppdChanged 1
set ppdFile /nonexistent.ppd
type con9100IPTxt bad<host
click mainMenuMainSave
text msgText                 => $U 'office'|could not be updated!|device URI|PPD file
get deviceUriChanged         => 1
get ppdChanged               => 1
get updateReported           => 0
click okMainPB
get panelMode                => 1
click queLPDPreviousPB
click mainMenuMainCreate
type queNameTxt newq
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt bad<host
set ppdFile @PPD
set modelName Velta C400 PS
click okMainPB
click okMainPB
text msgText                 => $U 'newq'|could not be created!
get createMode               => 1
get queueManaged             => 0
click okMainPB
set traceLevel 1
click queLPDPreviousPB
type queNameTxt dryq
click queNextPB
type con9100IPTxt 127.0.0.1
set modelName Velta C400 PS
click okMainPB
click okMainPB
T
[ "$(lpstat -v office 2>&1)" = "device for office: socket://127.0.0.1:9101" ] || fail "office: $(lpstat -v office 2>&1)"
lpstat -a office -p office 2>&1 | grep -c 'office accepting\|enabled' | grep -q 2 || fail "office not accepting and enabled"
grep -q '^PRINTERCNCT 3$' "$W/office/root/jarnConfig" || fail "office: no PRINTERCNCT 3 in its configuration"
grep -q '^%%QORBLOCK_PRNT_BEGIN office' "$JARNINFO" || fail "office: no information-file block"
for q in newq dryq; do
  lpstat -v "$q" >/dev/null 2>&1 && fail "$q was created"
  [ -e "$W/$q" ] && fail "$q has a directory"
  grep -q "$q" "$JARNINFO" && fail "$q is in the information file"
done
grep -q 'lpadmin -p dryq' "$base/err" || fail "dry run: no printed create"

# --- a USB name typed by hand with a blank: CUPS and the record hold it
# escaped, and the read-back shows it so
table <<T | check "typed USB name"
usb-ids none.ids
click mainMenuMainCreate
type queNameTxt usbq
click queNextPB
pick queTypeMenu Local USB
toggle usbSelectTB 1
type usbDevTxt Velta/P4700 XL?serial=1
set ppdFile @PPD
set modelName Velta C400 PS
click okMainPB
click okMainPB
get queueManaged             => 1
click queLPDPreviousPB
type queNameTxt usbq
click queNextPB
get usbVariant               => 1
get usbDeviceId              => Velta/P4700%20XL?serial=1
T
[ "$(lpstat -v usbq 2>&1)" = "device for usbq: usb://Velta/P4700%20XL?serial=1" ] || fail "usbq: $(lpstat -v usbq 2>&1)"
grep -qxF 'PRINTERHOST Velta/P4700%20XL?serial=1' "$W/usbq/root/jarnConfig" || fail "usbq's record"

# --- names CUPS or its clients would misread, and a file queue's relative
# path: each a notice to mend on the page; nothing is sent or recorded
N='Queue Name|----------|The queue name'
C="must not hold '@', '?', ':' or ',':|CUPS and its clients read them|as a server, a request or a list."
table <<T | check "names and paths"
click mainMenuMainCreate
type queNameTxt ipp@q
click queNextPB
notice                       => 11 $N 'ipp@q'|$C
type queNameTxt a?b
click queNextPB
notice                       => 11 $N 'a?b'|$C
type queNameTxt a,b
click queNextPB
notice                       => 11 $N 'a,b'|$C
fill queNameTxt Büro1
click queNextPB
notice                       => 11 $N 'Büro1'|may hold only letters, digits and|the ASCII signs, no accented letters.
type queNameTxt fq
click queNextPB
pick queTypeMenu File
type contFileNameTxt -x a
click okMainPB
click okMainPB
notice                       => 11 File Name|---------|The file name '-x a'|must be a full path beginning with '/'.
T
for q in ipp@q ipp 'a?b' a,b Büro1 fq; do
  lpstat -v "$q" >/dev/null 2>&1 && fail "$q was created"
  [ -e "$W/$q" ] && fail "$q has a directory"
done

# --- a change goes to the queue of its pages only: picking the unmanaged
# foreign drops office's pending option, Save sends nothing to either; Save
# before a create sends nothing; OK
# on a refused name's notice returns; help on an option menu's button
table <<T | check "the pages' queue"
type queNameTxt office
click queNextPB
call openPpd @PPD            => 1
choose MediaType Recycled
click mainMenuEditQueues
call setQueueName foreign
click mainMenuMainSave
get messageCode              => 0
get printerName              => foreign
click mainMenuMainCreate
type queNameTxt ghost
click queNextPB
type con9100IPTxt 127.0.0.1
call openPpd @PPD            => 1
choose OptionDuplex False
click mainMenuMainSave
get messageCode              => 38
click okMainPB
call ManageMainForm 0        => 0
type queNameTxt a b
click queNextPB
get messageCode              => 11
click okMainPB
get panelMode                => 0
help queueTypeMenu           => QUEUE TYPE|----------|The kind of data the queue takes: PostScript (PS), PCL,|PCL XL (PXL), or raw data that is passed to the printer|unchanged. A raw queue has no model and is created|without Jarn's records: Jarn does not manage it.|more: no
T
grep -q '^\*DefaultMediaType: Recycled' "$base/cups/etc/ppd/office.ppd" && fail "office: a dropped MediaType was sent"
[ "$(lpstat -v foreign 2>&1)" = "device for foreign: socket://127.0.0.1:9101" ] || fail "foreign: $(lpstat -v foreign 2>&1)"
[ -e "$base/cups/etc/ppd/foreign.ppd" ] || [ -e "$W/foreign" ] && fail "foreign got office's change"
grep -q '^PRINTERNAME office$' "$W/office/root/jarnConfig" || fail "office's configuration: $(grep NAME "$W/office/root/jarnConfig")"
lpstat -v ghost >/dev/null 2>&1 && fail "Save before the create made ghost"

# --- a dry run: an option and the port of office changed, a queue with a
# changed option created, office deleted; all printed, each closing notice
# says so, the daemon's configuration and the installation as they were
snap() { (cd "$1" && find . -printf '%p %m %s\n' | sort && find . -type f -print0 | sort -z | xargs -0 md5sum); }
snap "$base/cups/etc" >"$base/etc-before"
snap "$W" >"$base/w-before"
Z='Information Message|-------------------|Trace level 1: the commands for the printer'
Y="' were printed on standard error|and not run. Nothing was changed."
table <<T | check "dry run" -Z1
type queNameTxt office
click queNextPB
type con9100PortTxt 9109
call openPpd @PPD            => 1
choose MediaType Thick
click mainMenuMainSave
text msgText                 => $Z|'office$Y
click okMainPB
click mainMenuMainCreate
call ManageMainForm 0        => 0
type queNameTxt dryz
click queNextPB
type con9100IPTxt 127.0.0.1
set ppdFile @PPD
set modelName Velta C400 PS
call openPpd @PPD            => 1
choose OptionDuplex False
click okMainPB
click okMainPB
text msgText                 => $Z|'dryz$Y
click okMainPB
call ManageMainForm 0        => 0
type queNameTxt office
click queNextPB
click queLPDPreviousPB
click queDelQPB
click okMainPB
T
snap "$base/cups/etc" | diff "$base/etc-before" - >/dev/null || fail "dry run: the daemon's configuration changed"
snap "$W" | diff "$base/w-before" - || fail "dry run: the installation changed"
grep -q "Dry run: not written: $W/dryz/root/jarnConfig" "$base/err" || fail "dry run: dryz's record not named"
for l in 'lpadmin -p office -o MediaType=Thick' 'lpadmin -p dryz -P' 'lpadmin -p dryz -o OptionDuplex=False' \
  'lpadmin -p office -v socket://127.0.0.1:9109' 'lpadmin -xoffice'; do
  grep -qF -- "$l" "$base/err" || fail "dry run: '$l' not printed"
done

# --- help: each look-up's widgets give their topics' places; real picks of a
# widget, the logo (no topic) and a hidden page's area; More Help only where
# a topic continues
D="'Jarn' has no help info outside the application itself.|Sorry!|Please click the 'OK' button to continue"
table <<T | check "help"
lookup jarn printerScrlList prntrLstScrlWndw mainQueueNameLbl indexThumb compLogolabel => 10 0 0 0 1 -
lookup jarnQueFormF formParent ppdSelMainForm ppdSel2Form advOptMainForm jarnMessageBox => 11 14 12 13 15 16
lookup okMainPB okMainLbl helpMainPB helpMainLbl quitMainPB quitMainLbl jarnContainerFrame jarnFormBase => 2 2 3 3 4 4 8 8
lookup mainMenu mainMenuMainHook mainMenuEditHook mainMenuOptionsHook mainMenuAboutHook => 17 18 5 6 7
lookup queDelQLbl queDelQPB queNextLbl queNextPB queueTypeSmlForm queTypePDMenu queueTypeMenu => 20 20 19 19 21 21 21
lookup queTypeBigFrame queTypeBigForm queTypeBaseForm queNameFrame queNameForm queNameTxt queNameLbl => 22 22 22 23 23 23 23
lookup jarnQueFormF*QNameFrame jarnQueFormF*QNameLbl formParent*QNameFrame formParent*QNameLbl => 24 24 36 36
lookup queLPDPreviousPB queLPDPreviousLbl queLPDNextPB queLPDNextLbl cnctSmallFrame cnctSmallForm => 26 26 25 25 27 27
lookup remQIPPMenuPB usbQMenuPB localQMenuPB remQLPDMenuPB remQTCPMenuPB localQFileMenuPB queTypeMenu connectBaseForm => 28 29 30 31 32 33 34 34
lookup connectLPDForm queDataFrame queDataForm ipHostNmLbl lpdIPAddressTxt remQLbl lpdRemQTxt remQMenu remQName_hold => 35 36 36 37 37 31 31 38 38
lookup connectTCP9100Form con9100DataFrame con9100DataForm con9100IPTxt con9100IPLbl con9100PortTxt con9100PortLbl => 40 40 40 41 41 39 39
lookup connectLocalForm connectLclDFrame connectLclDForm connectDevNameTxt conctLclDevMenu connectLocalDevice connectDevNameLbl conctLclDevMenu_ser1 => 43 43 43 42 44 44 44 44
lookup contTypeFileNmFrame contTypeFileNmForm contFileNameTxt contFileNmLbl contFileBrwsBtn => 46 46 45 45 47
lookup contTypeUsbFrame contTypeUsbForm usbDevTxt usbLstScrlWndw usbScrlList usbSelectTB => 86 86 84 85 85 87
lookup connectIppForm conIPPDataFrame conIPPDataForm conIPPLbl conIPPTxt conIPPPortLbl conIPPPortTxt => 89 89 89 89 89 88 88
help okMainPB                => OK|--|OK answers the message shown on the Messages page.|With no message shown, OK acts on the queue named on the|Queue page: a queue Jarn manages is updated with the|settings of all pages; a new queue is checked and a summary|asks whether to create it (OK again creates it).|A queue Jarn does not manage is left alone: OK only rings.|more: no
get bellCount                => 2
help compLogolabel           => $D|more: no
help mainMenu more           => MAIN MENU|---------|The menu bar: File (create, save, leave), Edit (the|pages), Options (list filter, test pages, tool tips,|reset) and About.|more: yes|FILE
click mainMenuMainCreate
type queNameTxt newq
click queNextPB
help jarnQueFormF*queNameLbl => REMOTE SYSTEM NAME OR IP ADDRESS|--------------------------------|The host name or IP address of the printer or of the|LPD server, for example 192.168.1.20 or printer.example.|An IPv6 address is written in brackets.|more: no
T

# --- the topic table: its titles in order, each with text
printf 'topics\n' | "$drive" -W "$W" 2>/dev/null >"$base/topics"
tr ';' '\n' <<'T' | diff - <(cut -f1 "$base/topics") >/dev/null || fail "topic titles: $(cut -f1 "$base/topics")"
QUEUES MENU;ROW OF TABS;OK;The HELP BUTTON;QUIT;EDITION;OPTIONS;ABOUT;WORKING PANEL;COMPANY LOGO
THE MAIN PANEL;QUEUE NAME;PRINTER MODEL;DEVICE CONFIGURATION;PORT;ADVANCED OPTIONS;MESSAGES;MAIN MENU;FILE
NEXT PANEL (PORT);DELETE A QUEUE;QUEUE TYPE;WORKING MENUS;NAME OF THE QUEUE;NAME OF THE QUEUE;NEXT PANEL (PORT)
PREVIOUS PANEL;QUEUE TYPE;REMOTE IPP QUEUE;LOCAL USB QUEUE;LOCAL QUEUE;REMOTE LPD QUEUE;REMOTE TCP/IP 9100 QUEUE
FILE QUEUE;TYPE OF QUEUE;REMOTE LPD QUEUE;NAME OF THE QUEUE;REMOTE SYSTEM NAME OR IP ADDRESS
QUEUE NAME ON REMOTE SYSTEM;PORT NUMBER;TCP/IP (9100) QUEUE;HOST NAME OR IP ADDRESS;DEVICE NAME;LOCAL QUEUE
LIST OF DEVICE NAMES;FILE NAME;LOCAL QUEUE TO A FILE;BROWSE: FILE MANAGER;NEXT PANEL (PRINT OPTIONS);PREVIOUS PANEL
PRINTER MODEL SELECTION;PRINTER MODEL;BROWSE PRINTER MODEL;NAME OF THE QUEUE;NEXT;PRINTER/DOCUMENT OPTIONS;PREVIOUS
UPDATE BUTTON;PRINT (INSTALLED) OPTIONS;DOCUMENT OR PRINT OPTIONS;NAME OF THE QUEUE;UPDATE / ADD;PREVIOUS PANEL
NEXT PANEL;WORKING TITLE;ADVANCED OPTIONS MENU;LIST OF USER DATA;BUTTON FOR SECURED PRINTING;MAIL OR FILE BOX PRINTING
BUTTON FOR PRINTING WITH DEPARTMENT ACCOUNTING;USER (LOGIN) NAME;USER ID;PASSWORD;FORCE USER ID;FORCE USER PASSWORD
FORCE MAILBOX;PROOF COPY;QUEUE NAME;BOX NUMBER;BOX NUMBER;EXTRA CONFIGURATION;FRONT BANNER PAGE;BACK BANNER PAGE
ERROR POLICY;MANUAL USB DEVICE NAME;USB DEVICE NAME LIST;USB CONNECTION;MANUAL USB DEVICE TOGGLE;PORT NUMBER;IPP QUEUE
T
awk -F'\t' '$2 < 1 { bad = bad " " NR } END { exit bad != "" }' "$base/topics" || fail "topics without text"

# --- Jarn.exe -Z1 driven with xdotool creates a raw TCP/IP queue: the
# create is printed, no queue is made
places=$(printf '%s\n' 'where mainMenuMainCreate' 'click mainMenuMainCreate' 'where queNameTxt' 'type queNameTxt rawq' \
  'where queTypePDMenu_raw' 'pick queueTypeMenu raw' 'where queNextPB' 'click queNextPB' 'where remQTCPMenuPB' \
  'pick queTypeMenu Remote TCP/IP(9100)' 'where con9100IPTxt' 'where con9100PortTxt' 'where okMainPB' |
  (cd "$base" && "$drive" -W "$W") 2>/dev/null)
"$jarn" -Z1 -W "$W" >"$base/z1.log" 2>&1 &
jarn_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Jarn 2.0-10' 2>/dev/null | head -n 1)
[ -n "$win" ] || fail "-Z1: no main window"
# Clicks the place of a widget (with "2", its second place: a menu entry).
at() {
  # shellcheck disable=SC2046
  xdotool mousemove --window "$win" $(printf '%s\n' "$places" | awk -v w="$1" -v n="${2:-1}" '$1 == w && ++k == n { print $2, $3 }') click 1
  sleep 0.5
}
at mainMenuMainCreate; at mainMenuMainCreate 2; at queNameTxt; xdotool type --delay 50 rawq
at queTypePDMenu_raw; at queTypePDMenu_raw 2; at queNextPB; at remQTCPMenuPB; at remQTCPMenuPB 2
at con9100IPTxt; xdotool type --delay 50 127.0.0.1; at con9100PortTxt
xdotool key End BackSpace BackSpace BackSpace BackSpace; xdotool type --delay 50 9101; sleep 0.3
at okMainPB; at okMainPB
for _ in $(seq 1 50); do grep -q 'lpadmin -p rawq' "$base/z1.log" && break; sleep 0.1; done
grep -qF -- '-p rawq -v socket://127.0.0.1:9101 -D "Jarn 2.0 remote TCP/IP Queue" -o printer-error-policy=retry-job 2>/dev/null' \
  "$base/z1.log" || fail "-Z1 create line: $(grep lpadmin "$base/z1.log")"
lpstat -v rawq >/dev/null 2>&1 && fail "-Z1 created rawq"
exit "$failures"

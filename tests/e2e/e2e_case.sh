# End-to-end case, run by run.sh inside the installer's sandbox on a private
# Xvfb: install a release with setup, start jarn, make queue "office" with the
# wizard, check it with the daemon's tools, print through it, delete it and
# de-install. Each failure names its step and what it saw.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
if [ -z "${JARN_XVFB_PID:-}" ]; then
  exec "$T/x11/with-xvfb.sh" bash "$T/e2e/e2e_case.sh"
fi
shopt -s lastpipe
B=/opt/bry
DRIVE=$REL/e2e-tools/jarn-drive
XLPPD=Velta-P4700-XL-en.ppd
step=0
# expect WHAT CONDITION...: a failed condition names the step and WHAT.
expect() {
  local what=$1
  shift
  "$@" >/dev/null 2>&1 || { echo "FAIL step $step: $what" >&2; failures=$((failures + 1)); }
}
not() { ! "$@"; }
# Runs jarn-drive on the installation with the steps on stdin.
drive() { (cd /tmp && "$DRIVE" -W "$B" >/tmp/drive.out 2>/tmp/drive.err) || { echo "FAIL step $step: driver: $(grep jarn-drive /tmp/drive.err)" >&2; failures=$((failures + 1)); }; }
install_stubs
start_daemon
copy_release

step=1  # install the release, answering the question on standard input
printf 'y\n' | /tmp/rel/setup >/tmp/setup.out 2>&1
expect "setup exit $?: $(tail -3 /tmp/setup.out)" [ $? = 0 ]
expect "no /usr/bin/jarn: $(ls -l /usr/bin/jarn 2>&1)" [ -x /usr/bin/jarn ]
expect "no installed PCL XL PPD" [ -f /usr/share/ppd/bry/$XLPPD ]

step=2  # the start-up script starts the program on the display
/usr/bin/jarn >/tmp/jarn.out 2>&1 &
jarn_pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Jarn 2.0-10' 2>/dev/null | head -n 1)
expect "no main window: $(cat /tmp/jarn.out)" [ -n "$win" ]
prog=$(pgrep -P "$jarn_pid")
expect "not Jarn.exe -MC100 -W$B: $(tr '\0' ' ' <"/proc/$prog/cmdline" 2>&1)" \
  [ "$(tr '\0' ' ' <"/proc/$prog/cmdline")" = "$B/bin/Jarn.exe -MC100 -W$B " ]
[ -n "$prog" ] && kill "$prog"
kill "$jarn_pid" 2>/dev/null; wait "$jarn_pid" 2>/dev/null

step=3  # the wizard makes office: raw TCP to the listener, the PCL XL PPD
port=9187
drive <<T
click mainMenuMainCreate
type queNameTxt office
pick queueTypeMenu PXL (PCL6)
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 127.0.0.1
type con9100PortTxt $port
click queLPDNextPB
click ppdSelBrwseBtn
pick ppdFileBoxScrolledL Velta P4700 PXL
click ppdFileBoxOKPB
get ppdFile
click okMainPB
click okMainPB
get queueManaged
call openPpd /usr/share/ppd/bry/$XLPPD
choose Duplex DuplexNoTumble
call updatePPDOption
call ManageMainForm 6
call setAdvOptMode 1
type loginNameTxt1 alice
counter advOptCounter 5
call applyUserEntry 1
call setAdvOptMode 2
type loginNameTxt root
type passwordTxt 4711
call applyUserEntry 1
T
expect "mailbox file: $(cat -A $B/office/root/JarnMailBoxFile 2>&1)" [ "$(cat $B/office/root/JarnMailBoxFile)" = "$(printf 'alice           m=N5                                       \nroot                     p=N4711                            ')" ]
expect "mailbox file mode: $(stat -c '%a %G' $B/office/root/JarnMailBoxFile)" [ "$(stat -c '%a %G' $B/office/root/JarnMailBoxFile)" = "640 lp" ]
# The chooser's file, managed, PPD opened, option sent, then the page steps.
expect "wizard: $(tr '\n' ' ' </tmp/drive.out)" [ "$(tr '\n' ' ' </tmp/drive.out)" = "/usr/share/ppd/bry/$XLPPD 1 1 1 0 0 0 0 0 " ]

step=4  # the daemon's tools and the record files
expect "lpstat -v: $(lpstat -v office 2>&1)" [ "$(lpstat -v office 2>&1)" = "device for office: socket://127.0.0.1:$port" ]
expect "lpoptions: $(lpoptions -p office -l 2>&1 | grep Duplex)" grep -qx 'Duplex/Double-Sided Printing: None \*DuplexNoTumble DuplexTumble' <(lpoptions -p office -l)
expect "queue's PPD: $(grep ModelName /etc/cups/ppd/office.ppd 2>&1)" grep -qx '\*ModelName: "Velta P4700 PXL"' /etc/cups/ppd/office.ppd
block=$(sed -n '/^%%QORBLOCK_PRNT_BEGIN office$/,/^%%QORBLOCK_PRNT_END office$/p' $B/jarnInfo2.0 | tr '\n' ' ')
expect "information file's office block: $block" [ "$block" = "%%QORBLOCK_PRNT_BEGIN office root %%QORBLOCK_PRNT_END office " ]
conf=$(awk '/^(PRINTER(TYPE|CNCT|HOST|REMQ)|PPDFILE) / { printf "%s=%s ", $1, $2 }' $B/office/root/jarnConfig)
expect "jarnConfig: $conf" [ "$conf" = "PRINTERTYPE=3 PRINTERCNCT=3 PRINTERHOST=127.0.0.1 PRINTERREMQ=$port PPDFILE=/usr/share/ppd/bry/$XLPPD " ]

step=5  # alice's job, with a title, through the daemon, foomatic-rip and qorgsfilter to the listener
printf '%%!PS\n/Helvetica findfont 40 scalefont setfont\n100 500 moveto (one) show showpage\n100 500 moveto (two) show showpage\n' >/tmp/job.ps
nc -d -l 127.0.0.1 $port >/tmp/got &
nc_pid=$!
useradd -M alice
sleep 0.3
setpriv --reuid=alice --regid=alice --clear-groups lp -d office -t "Quarterly Report" /tmp/job.ps >/tmp/lp.out 2>&1
expect "lp as alice: $(cat /tmp/lp.out)" grep -q 'request id is office-' /tmp/lp.out
for _ in $(seq 1 300); do kill -0 $nc_pid 2>/dev/null || break; sleep 0.1; done
kill $nc_pid 2>/dev/null
uel=$'\e%-12345X'
expect "no PJL job header from qorgsfilter: $(head -c 60 /tmp/got | cat -v)" [ "$(head -c 25 /tmp/got)" = "$uel@PJL Jarn2.0-10 " ]
expect "no PCL XL after the header" grep -qa '^@PJL ENTER LANGUAGE=PCLXL' /tmp/got
expect "PCL XL stream not Ghostscript's" grep -qa '^) HP-PCL XL;' /tmp/got
expect "job not closed by UEL: $(tail -c 40 /tmp/got | cat -v)" grep -qa "^$uel\$" <(tail -c 12 /tmp/got)
for want in 'USERNAME="alice' 'DOCNAME="Quarterly Report!alice@' 'DEVICE=MAILBOX' 'MAILBOXNUMBER=5' 'SECUREPASSWD=4711'; do
  expect "PJL header without $want: $(sed -n '/^@PJL COMMENT/p' /tmp/got | tr '\r\n' '  ')" grep -qa "^@PJL COMMENT VELPJL SET $want" /tmp/got
done
gs -q -dBATCH -dSAFER -dNOPAUSE -sPAPERSIZE=a4 -sDEVICE=pxlmono -r600 -sOutputFile=/tmp/made.pxl /tmp/job.ps
$REL/e2e-tools/pxl-compare /tmp/got /tmp/made.pxl >/tmp/cmp.out 2>&1
expect "page data not Ghostscript's: $(cat /tmp/cmp.out)" [ $? = 0 ]
expect "pages' duplex modes: $(head -1 /tmp/cmp.out)" [ "$(head -1 /tmp/cmp.out)" = "1 1" ]
expect "job owner: $(lpstat -W completed -o office)" grep -q ' alice ' <(lpstat -W completed -o office)

step=6  # office deleted through the wizard; setup -d removes desk, leaves other and the daemon
lpadmin -p other -E -v file:/dev/null
drive <<T
click mainMenuMainCreate
type queNameTxt desk
pick queueTypeMenu PXL (PCL6)
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 127.0.0.1
click queLPDNextPB
click ppdSelBrwseBtn
pick ppdFileBoxScrolledL Velta P4700 PXL
click ppdFileBoxOKPB
click okMainPB
click okMainPB
T
drive <<T
type queNameTxt office
click queNextPB
click queLPDPreviousPB
click queDelQPB
click okMainPB
T
expect "office still there: $(lpstat -v office 2>&1)" not lpstat -v office
expect "office still in the information file" not grep -q 'QORBLOCK_PRNT_BEGIN office' $B/jarnInfo2.0
expect "desk not made: $(lpstat -v desk 2>&1)" lpstat -v desk
printf 'yes\n' | /opt/bry/bin/setup -d >/tmp/setup-d.out 2>&1
expect "setup -d: $(tail -3 /tmp/setup-d.out)" [ $? = 0 ]
expect "managed queue desk left" not lpstat -v desk
expect "installed files left: $(ls $B/bin 2>&1)" [ ! -e $B/bin ]
expect "/usr/bin links left: $(ls -l /usr/bin/jarn /usr/bin/qorgsfilter 2>&1)" [ ! -L /usr/bin/jarn -a ! -L /usr/bin/qorgsfilter ]
expect "daemon stopped" lpstat -r
expect "other queue touched: $(lpstat -v other 2>&1)" [ "$(lpstat -v other 2>&1)" = "device for other: /dev/null" ]
finish

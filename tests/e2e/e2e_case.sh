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
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 127.0.0.1
type con9100PortTxt $port
set ppdFile /usr/share/ppd/bry/$XLPPD
set modelName Velta P4700 XL
click okMainPB
click okMainPB
get queueManaged
T
expect "office not managed: $(cat /tmp/drive.out)" [ "$(tail -1 /tmp/drive.out)" = 1 ]

step=4  # the daemon's tools and the record files
expect "lpstat -v: $(lpstat -v office 2>&1)" [ "$(lpstat -v office 2>&1)" = "device for office: socket://127.0.0.1:$port" ]
expect "lpoptions: $(lpoptions -p office -l 2>&1 | head -3)" grep -q '^OptionDuplex/Duplex Unit' <(lpoptions -p office -l)
expect "information file: no office block" grep -q '^%%QORBLOCK_PRNT_BEGIN office' $B/jarnInfo2.0
expect "jarnConfig: $(cat $B/office/root/jarnConfig 2>&1 | head -5)" grep -q '^PRINTERCNCT 3$' $B/office/root/jarnConfig
finish

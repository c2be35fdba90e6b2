# Sandbox case: setup with a CUPS daemon on port 631, declined at the
# question; refused inputs; a release that others can change.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
# The release's own netcat, used only while nobody else can change it.
printf '#!/bin/sh\necho "qornc $*" >> %s\nexec nc "$@"\n' "$FAKE_LOG" > /tmp/rel/qornc
chmod 0755 /tmp/rel/qornc

printf 'x\n' | /tmp/rel/setup -q 1 >/dev/null 2>&1
check "declined: exit 0" [ $? = 0 ]
check "scheduler" logged "System Scheduler = CUPS"
check "version from the server" logged "CUPS Header Version : 2400//HTTP"
check "PPD directory decided" logged "PPD installation dir: /usr/share/ppd/bry"
check "abandoned by user" logged "Program abandoned by user."
check "own qornc used" logged "qornc localhost 631" "$FAKE_LOG"
check "no installation directory" absent /opt/bry
check "no PPD directory" absent /usr/share/ppd/bry
check "no model-directory link" absent /usr/share/cups/model/bry

printf 'nein, sicher nicht\n' | /tmp/rel/setup -q 1 >/dev/null 2>&1
check "'nein, sicher nicht' declines" logged "Program abandoned by user."

# Refused inputs: exit 1, nothing made, the netcat never run.
: > "$FAKE_LOG"
/tmp/rel/setup -i none.conf </dev/null >/dev/null 2>&1
check "-i none.conf: exit 1" [ $? = 1 ]
check "-i none.conf: missing info" logged "Jarn 2.0 installation missing info"
/tmp/rel/setup -u /usr </dev/null >/dev/null 2>&1
check "-u /usr: exit 1" [ $? = 1 ]
cp -a /tmp/rel /tmp/ww
chmod 0777 /tmp/ww
(cd /tmp/ww && ./setup </dev/null >/dev/null 2>&1)
check "world-writable release: exit 1" [ $? = 1 ]
check "world-writable release: refused" logged "can be changed by other users"
check "no qornc run" not_logged qornc "$FAKE_LOG"
check "nothing made" absent /opt/bry

# A manifest of one nonsense line copies nothing: not installed, no link.
echo 'nothing to copy here' > /tmp/rel/etc/bad.conf
/tmp/rel/setup -i bad.conf </dev/null >/tmp/out 2>/tmp/err
st=$?
check "nonsense manifest: exit 1, not said installed" eval '[ $st = 1 ] && [ "$(cat /tmp/out)" = \
  "Jarn 2.0-10 was not installed in /opt/bry: setup stopped before the end. Not everything could be done: see $LOG." ]'
check "nonsense manifest: the missing programs named" [ "$(grep -c "bin/\(Jarn.exe\|qorgsfilter\|setup\)' is not in place" /tmp/err)" = 3 ]
check "nonsense manifest: no /usr/bin link" eval '[ ! -L /usr/bin/jarn ] && [ ! -L /usr/bin/qorgsfilter ]'

# De-installation asks even without -q; "jamais" is no yes.
mkdir -p /opt/bry
printf '#\n%%%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /opt/bry\n%%%%QORBLOCK_GENERAL_END\n' > /opt/bry/jarnInfo2.0
printf 'jamais\n' | /tmp/rel/setup -d >/dev/null 2>&1
check "-d declined: exit 0" [ $? = 0 ]
check "-d asked and declined" logged "Program abandoned by user."
check "-d kept the installation" [ -f /opt/bry/jarnInfo2.0 ]
finish

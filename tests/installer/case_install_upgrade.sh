# Sandbox case: an upgrade of a planted 1.0 installation (a foreign
# /usr/bin/jarn, a dangling /usr/bin/qorgsfilter, PPD files to archive past
# a planted link), an update that keeps an edited jarnInfo2.0, and a run
# from inside the installation that copies only the PPD files.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
mkdir -p /opt/bry/bin /usr/share/ppd/bry
printf '#\n# Jarn 1.0 Information File\n#\n%%%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /opt/bry\n%%%%QORBLOCK_GENERAL_END\n' \
  > /opt/bry/jarnInfo1.0
echo "old script" > /opt/bry/bin/jarn
echo foreign > /usr/bin/jarn
ln -s /opt/gone/bin/qorgsfilter /usr/bin/qorgsfilter
echo '*PPD-Adobe: "4.3"' > /usr/share/ppd/bry/Old-1.0.ppd
echo secret > /etc/victim
ln -s /etc/victim /var/tmp/JarnPPDFiles2.0-10.tar

/tmp/rel/setup </dev/null >/dev/null 2>&1
check "upgrade: exit 0" [ $? = 0 ]
check "upgrade from 1.0" logged "Upgrade Mode = 1."
check "earlier script kept as jarn.old" [ "$(cat /opt/bry/bin/jarn.old)" = "old script" ]
check "information file converted" [ "$(sed -n '2p;5p' /opt/bry/jarnInfo2.0)" = "$(printf '# Jarn 2.0 Information File\nUSRDIR          /opt/bry')" ]
check "PPD files archived" [ "$(tar tf /var/tmp/JarnPPDFiles2.0-10.tar)" = Old-1.0.ppd ]
check "archive replaced the planted link" [ ! -L /var/tmp/JarnPPDFiles2.0-10.tar -a "$(cat /etc/victim)" = secret ]
check "foreign /usr/bin/jarn kept, relabelled" eval '[ "$(cat /usr/bin/jarn)" = foreign ] && logged "/usr/bin/chcon -u system_u /usr/bin/jarn (argc=3)" "$FAKE_LOG"'
check "dangling /usr/bin/qorgsfilter replaced" logged "Link 1: /usr/bin/qorgsfilter linked to /opt/bry/bin/qorgsfilter."

# A re-run of an upgrade killed before its information file: the backup
# stays the 1.0 script, the killed writer's temporary goes.
mv /opt/bry/jarnInfo1.0.old /opt/bry/jarnInfo1.0 && rm /opt/bry/jarnInfo2.0
touch /opt/bry/.jarnInfo2.0.Ab12Cd
/tmp/rel/setup </dev/null >/dev/null 2>&1
st=$?
check "re-run: exit 0, backup kept" eval '[ $st = 0 ] && [ "$(cat /opt/bry/bin/jarn.old)" = "old script" ]'
check "re-run: temporary gone, jarnInfo1.0 aside" [ ! -e /opt/bry/.jarnInfo2.0.Ab12Cd -a ! -e /opt/bry/jarnInfo1.0 ]

# An update of 2.0: no start-up script, the edited information file kept.
echo "# edited" >> /opt/bry/jarnInfo2.0
cp /opt/bry/jarnInfo2.0 /tmp/info.saved
cp /opt/bry/bin/jarn /tmp/jarn.saved
/tmp/rel/setup </dev/null >/dev/null 2>&1
st=$?
check "update of 2.0: exit 0" eval '[ $st = 0 ] && logged "Upgrade Mode = 2."'
check "information file skipped" logged "Skip creating configuration file: '/opt/bry/jarnInfo1.0'."
check "edited information file kept" cmp -s /opt/bry/jarnInfo2.0 /tmp/info.saved
check "start-up script skipped" logged "Skip creating Startup script: '/opt/bry/Jarn.sh'."
check "start-up script unchanged" cmp -s /opt/bry/bin/jarn /tmp/jarn.saved

# From inside the installation: only the PPD files are copied.
rm /usr/share/ppd/bry/Velta-C400-PS-en.ppd
/opt/bry/bin/setup </dev/null >/dev/null 2>&1
check "in place: exit 0" [ $? = 0 ]
check "in place: only the PPD files copied" [ "$(last_run | grep -c '^Copying file ppd/[^ ]* to /usr/share/ppd/bry\. $')" = "$(last_run | grep -c '^Copying file')" ]
check "in place: every PPD file copied" [ "$(last_run | grep -c '^Copying file')" = "$(ls /opt/bry/ppd | wc -l)" ]
check "in place: PPD file back" cmp -s /opt/bry/ppd/Velta-C400-PS-en.ppd /usr/share/ppd/bry/Velta-C400-PS-en.ppd
finish

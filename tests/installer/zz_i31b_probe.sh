. /mnt/w/tests/installer/in-sandbox.sh || exit 99
install_stubs
start_daemon
copy_release
/tmp/rel/setup </dev/null >/dev/null 2>&1
echo "##### not root: stdout only"
setpriv --reuid=65534 --regid=65534 --clear-groups /tmp/rel/setup 2>/dev/null; echo "rc=$?"
echo "##### -d"
echo yes | /opt/bry/bin/setup -d >/dev/null 2>&1; echo rc=$?
ls -la /opt/bry
last_run
echo "##### -d again (release setup)"
echo yes | /tmp/rel/setup -d; echo "rc=$?"
exit 0

# Sandbox case: SELinux in force (stub tools). Start-up only checks for the
# policy module; the log is labelled with a fixed command line.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
copy_release
touch /run/jarn-selinux-on

/tmp/rel/setup </dev/null 2>/tmp/err
check "exit 0 (no daemon)" [ $? = 0 ]
check "SELinux on" logged "SELinux is running: Yes."
check "module missing said" logged "SELinux running, but no file jarn.pp found." /tmp/err
check "log labelled, one word a value" logged "/usr/bin/chcon -u system_u $LOG (argc=3)" "$FAKE_LOG"
check "label command logged" logged "Command: \"/usr/bin/chcon -u system_u $LOG 2>/dev/null\" returned with: 0."
check "module not loaded at start-up" not_logged semodule "$FAKE_LOG"
check "not said to be installed" not_logged "SELinux module jarn.pp is installed."

echo dummy > /tmp/rel/etc/jarn.pp
/tmp/rel/setup </dev/null 2>/tmp/err
check "module present: nothing said" not_logged "no file jarn.pp" /tmp/err
check "module present: still not loaded" not_logged semodule "$FAKE_LOG"

/tmp/rel/setup -S 0 </dev/null 2>/dev/null
check "-S 0 turns it off" logged "SELinux is running: No."
rm /run/jarn-selinux-on
/tmp/rel/setup </dev/null 2>/dev/null
check "selinuxenabled failing: off" logged "SELinux is running: No."
finish

# Sandbox case: setup on a machine without a running CUPS daemon, and the
# paths that stop before the probe.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
copy_release

/tmp/rel/setup -h >/tmp/usage
check "-h exits 0 with the usage on standard output and no log" [ $? = 0 -a ! -e "$LOG" ]
check "usage text" logged "-Sx	: set SELinux mode: x=0:off,1:on [1]." /tmp/usage
# A word that is not an option stops before anything, as an unknown option.
for args in "d" "-d now" "install now"; do
  /tmp/rel/setup $args </dev/null >/tmp/out 2>/tmp/err
  st=$?
  check "'$args': exit 2, usage on standard error, no log" \
    eval '[ $st = 2 ] && [ ! -s /tmp/out ] && grep -q "^Usage:" /tmp/err && [ ! -e "$LOG" ]'
done

/tmp/rel/setup </dev/null 2>/dev/null
check "no daemon: exit 0" [ $? = 0 ]
check "reason logged" logged "* No running CUPS daemon found!"
check "stopped" logged "Because of insufficient data, setup stopped."
check "closing line" logged "Finishing Jarn 2.0-10 installation : "
check "nothing made" absent /opt/bry

/tmp/rel/setup -f 0 2>/tmp/err
check "-f 0 outside /opt/bry: exit 0" [ $? = 0 ]
check "simulation text" logged "Jarn2.0 setup simulation, not from /opt/bry/bin." /tmp/err

for dir in / // /usr /usr/local/ /var/log /opt /opt/bry/../etc /opt//bry "/opt/b ry"; do
  /tmp/rel/setup -u "$dir" </dev/null 2>/dev/null
  check "-u '$dir' refused with exit 1" [ $? = 1 ]
  check "-u '$dir' logged" logged "is refused"
done
check "nothing made after refusals" absent /opt/bry

/tmp/rel/setup -d </dev/null 2>/tmp/err
check "-d without an installation: exit 0" [ $? = 0 ]
check "-d says so" logged "No Jarn installation found." /tmp/err

setpriv --reuid=65534 --regid=65534 --clear-groups /tmp/rel/setup </dev/null 2>/tmp/err
check "not root: exit 0" [ $? = 0 ]
check "not root: told on standard error (no log of its own)" logged "You must be root to be able" /tmp/err
finish

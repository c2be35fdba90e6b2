# Sandbox case: setup -d with hostile names in the printers block, then
# with a foreign /usr/bin/jarn link and bin/ a link leading outside, and
# -d -u /usr refused.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
B=/opt/bry
not_ok() { ! "$@" >/dev/null 2>&1; }
# An installation as the file installation leaves it, staged by hand.
stage() {
  mkdir -p $B/etc $B/images $B/ppd $B/Default/root $B/Q/root
  printf '#\n%%%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          %s\n%%%%QORBLOCK_GENERAL_END\n%%%%QORBLOCK_PRINTERS_BEGIN\n' $B > $B/jarnInfo2.0
  printf '%s\n' "$@" >> $B/jarnInfo2.0
  printf '%%%%QORBLOCK_PRINTERS_END\n%%%%QOREND\n' >> $B/jarnInfo2.0
}
hostsums() { md5sum /etc/passwd /etc/cups/cupsd.conf /usr/sbin/lpadmin /opt/x/keep; }
mkdir -p /opt/x && echo keep > /opt/x/keep
stage Q zero ../x "x;touch canary" Default
mkdir -p $B/bin && cp /tmp/rel/bin/* $B/bin/ && touch $B/Q.sh
ln -s $B/bin/qorgsfilter /usr/bin/qorgsfilter
ln -s ../../opt/bry/bin/Jarn.exe /usr/bin/jarn
lpadmin -p Q -E -v file:/dev/null 2>/dev/null
before=$(hostsums)

printf 'yes\n' | $B/bin/setup -d >/dev/null 2>&1
check "exit 0" [ $? = 0 ]
check "queue Q removed" not_ok lpstat -v Q
check "Q's directory and script removed" absent $B/Q
check "Q.sh removed" absent $B/Q.sh
check "bin removed" absent $B/bin
check "/usr/bin links into the installation removed" absent /usr/bin/jarn
check "/usr/bin/qorgsfilter: second attempt not possible" logged "Deleting file: '/usr/bin/qorgsfilter' - Not possible!"
check "/dev/zero still a character device" [ -c /dev/zero ]
check "/opt/x and the host files intact" [ "$(hostsums)" = "$before" ]
check "'../x' skipped" logged "Skipping printer name '../x'"
check "no canary" [ -z "$(find / \( -path /proc -o -path /sys -o -path /mnt \) -prune -o -name canary -print)" ]
check "installation directory stays" [ -d $B ]

# bin/ a link leading outside, a foreign /usr/bin/jarn.
mkdir -p /srv/outside && echo data > /srv/outside/jarn && cp /tmp/rel/bin/setup /srv/outside/setup
stage Default
ln -s /srv/outside $B/bin
ln -s /bin/true /usr/bin/jarn
printf 'yes\n' | /tmp/rel/setup -d >/dev/null 2>&1
check "links: exit 0" [ $? = 0 ]
check "outside files intact" test -f /srv/outside/jarn -a -f /srv/outside/setup
check "bin removed as a link" absent $B/bin
check "foreign /usr/bin/jarn kept" [ -L /usr/bin/jarn ]
check "foreign link logged" logged "Kept '/usr/bin/jarn'"

stage Default
/tmp/rel/setup -d -u /usr </dev/null >/dev/null 2>&1
check "-d -u /usr: exit 1" [ $? = 1 ]
check "-d -u /usr: refused" logged "is refused"
check "-d -u /usr: nothing removed" [ -f $B/jarnInfo2.0 ]

# A file that cannot be removed (a mount point): what finds the
# installation stays, and the next -d, once the cause is gone, finishes.
rm -r $B/Q && mkdir -p $B/bin && cp /tmp/rel/bin/* $B/bin/ && cp /tmp/rel/etc/JARNINST.CONF $B/etc/
mount --bind $B/bin/Jarn.exe $B/bin/Jarn.exe
printf 'yes\n' | $B/bin/setup -d >/tmp/out 2>/tmp/err
st=$?
check "file left: exit 1, not said un-installed" eval '[ $st = 1 ] && grep -q "^Jarn 2.0-10 was not removed completely" /tmp/out && ! grep -q "has been un-installed" /tmp/err'
check "file left: records, manifest and setup kept" test -f $B/jarnInfo2.0 -a -f $B/etc/JARNINST.CONF -a -x $B/bin/setup
umount $B/bin/Jarn.exe
printf 'yes\n' | $B/bin/setup -d >/tmp/out 2>/tmp/err
st=$?
check "next -d: exit 0, said un-installed" eval '[ $st = 0 ] && grep -q "has been un-installed" /tmp/err'
check "next -d: nothing left" [ "$(find $B | tr '\n' ' ')" = "$B " ]
finish

# Sandbox case: a new installation of a staged release; the start-up script
# run by root and, through su helpers, by another user; the uninstall
# script; -u with SELinux repairing a dangling link; refused copies.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
G=$T/installer/golden
# A "." entry after the "./x" ones, a 2-character SOURCE and "nc".
echo readme > /tmp/rel/README
echo ab > /tmp/rel/ab
cp /tmp/rel/bin/nc /tmp/rel/nc
printf 'README . 00600\nab ./bin\nnc ./images\n' >> /tmp/rel/etc/JARNINST.CONF
# A generated file without its date and notice lines (and CUPS directories).
bare() { grep -v -e '^# Creation date' -e '^# De-installation script' -e '^# Copyright' -e '^# This script is part' -e JARNCUPS "$1"; }

/tmp/rel/setup </dev/null >/dev/null 2>&1
check "new installation: exit 0" [ $? = 0 ]
check "modes" [ "$(stat -c %a /opt/bry /opt/bry/bin /opt/bry/bin/qorgsfilter /opt/bry/bin/jarn /opt/bry/etc/UNINSTALLJARN \
  /opt/bry/etc/Jarn2.0.desktop /opt/bry/images /usr/share/ppd/bry | tr '\n' ' ')" = "755 755 755 755 755 644 755 755 " ]
check "/usr/bin links" [ "$(readlink /usr/bin/jarn /usr/bin/qorgsfilter)" = "$(printf '/opt/bry/bin/jarn\n/opt/bry/bin/qorgsfilter')" ]
check "start-up script's CUPS lines" [ "$(grep -c '^JARNCUPSDIR=/$\|^JARNCUPSBINDIR=/usr$\|^export JARNCUPS' /opt/bry/bin/jarn)" = 4 ]
for f in bin/jarn:jarn-nocups etc/UNINSTALLJARN etc/Jarn2.0.desktop jarnInfo2.0; do
  golden=${f#*:} && f=${f%:*}
  check "$f" cmp -s <(bare "/opt/bry/$f") <(bare "$G/$(basename "$golden")")
  [ "$f" = etc/Jarn2.0.desktop ] || [ "$f" = jarnInfo2.0 ] || check "$f: sh -n" sh -n "/opt/bry/$f"
done
check "every PPD file installed" diff -r /tmp/rel/ppd /usr/share/ppd/bry
check "README a file with its mode" [ "$(stat -c %F:%a /opt/bry/README)" = "regular file:600" ]
check "2-character SOURCE not copied, nc copied" [ ! -e /opt/bry/bin/ab -a -x /opt/bry/images/nc ]

# Root runs Jarn.exe; another user goes through the first su helper found.
printf '#!/bin/sh\nfor a; do echo "[$a]"; done > /tmp/args\n' > /opt/bry/bin/Jarn.exe
/usr/bin/jarn -x 7
check "root runs Jarn.exe" [ "$(cat /tmp/args)" = "$(printf '[-MC100]\n[-W/opt/bry]\n[-x]\n[7]')" ]
/usr/bin/jarn -xrm "*background: red"
check "an argument with a blank stays one" [ "$(tail -1 /tmp/args)" = "[*background: red]" ]
line="/opt/bry/bin/Jarn.exe -MC100 -W/opt/bry -x 7"
for row in "gksu:[$line]" "kdesudo:[-c]
[$line]" "kdesu:[$line]"; do
  helper=${row%%:*}
  cp /opt/bry/bin/Jarn.exe "/usr/bin/$helper"
  rm -f /tmp/args
  setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/jarn -x 7
  check "$helper gets its arguments" [ "$(cat /tmp/args)" = "${row#*:}" ]
  rm "/usr/bin/$helper"
done

# The uninstall script: no at end of input, then yes.
sh /opt/bry/etc/UNINSTALLJARN </dev/null >/dev/null 2>&1
check "UNINSTALLJARN at end of input keeps it" [ -x /opt/bry/bin/qorgsfilter ]
echo y | sh /opt/bry/etc/UNINSTALLJARN >/dev/null 2>&1
check "UNINSTALLJARN removes it and its /usr/bin/qorgsfilter" [ ! -e /opt/bry -a ! -L /usr/bin/qorgsfilter ]
check "/usr/bin/jarn left dangling" [ -L /usr/bin/jarn -a ! -e /usr/bin/jarn ]

# -u /opt/other with SELinux on: the dangling link is repaired; the labels
# and the one module load, after the copy, name that tree.
touch /run/jarn-selinux-on
echo dummy > /tmp/rel/etc/jarn.pp
echo "etc/jarn.pp ./etc 00644" >> /tmp/rel/etc/JARNINST.CONF
: > "$FAKE_LOG"
/tmp/rel/setup -u /opt/other </dev/null >/dev/null 2>&1
check "-u /opt/other: exit 0" [ $? = 0 ]
check "dangling /usr/bin/jarn replaced" logged "Link 1: /usr/bin/jarn linked to /opt/other/bin/jarn."
check "labels" [ "$(grep -c -- '-t bin_t /opt/other/bin/\(jarn\|qorgsfilter\) (argc=3)' "$FAKE_LOG")" = 2 ]
check "nothing under /opt/bry labelled" not_logged /opt/bry "$FAKE_LOG"
check "module loaded once" [ "$(grep semodule "$FAKE_LOG")" = "/usr/bin/semodule -i /opt/other/etc/jarn.pp (argc=2)" ]
check "after the copy, said installed" [ "$(grep 'Copying file\|install returns: 0\|jarn.pp is installed' "$LOG" | tail -2 | cut -c1-14 | tr '\n' :)" = 'SELinux module:SELinux module:' ]
printf '#!/bin/sh\nexit 3\n' > /usr/bin/semodule
/tmp/rel/setup -u /opt/other </dev/null >/dev/null 2>&1
st=$?
check "failed load: exit 0, logged" eval '[ $st = 0 ] && logged "install returns: 3." && not_logged "jarn.pp is installed."'
rm /run/jarn-selinux-on

/tmp/rel/setup -u /opt/no/such </dev/null >/dev/null 2>&1
check "directory not made: exit 1" [ $? = 1 ]
check "directory not made: said" logged "Could not find or create BRY directory : /opt/no/such"
# A SOURCE that is missing, or that others can change, is a failed copy.
echo "bin/missing ./bin 00755" >> /tmp/rel/etc/JARNINST.CONF
chmod 0664 /tmp/rel/README
/tmp/rel/setup </dev/null >/dev/null 2>&1
check "failed copies: exit 1" [ $? = 1 ]
check "missing SOURCE: WRONG" logged "Copying file bin/missing to /opt/bry/bin. : WRONG!!!"
check "group-writable SOURCE: WRONG" logged "Copying file README to /opt/bry/README. : WRONG!!!"
chmod 0644 /tmp/rel/README && chown 65534 /tmp/rel/README
/tmp/rel/setup </dev/null >/dev/null 2>&1
check "another user's SOURCE: WRONG" logged "Copying file README to /opt/bry/README. : WRONG!!!"
echo "README . 007555" >> /tmp/rel/etc/JARNINST.CONF
/tmp/rel/setup </dev/null >/dev/null 2>/tmp/err
st=$?
check "set-id MODE: manifest refused" eval '[ $st = 1 ] && logged "a MODE beyond 0777" && grep -q "missing info" /tmp/err'
finish

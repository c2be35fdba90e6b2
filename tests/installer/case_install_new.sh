# Sandbox case: a new installation of a staged release with the daemon;
# the start-up script run by root and, through su helpers, by another user;
# the uninstall script; a dangling /usr/bin/jarn repaired; a missing SOURCE.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
G=$T/installer/golden
# A "." entry after the "./x" ones, and a 2-character SOURCE beside "nc".
echo readme > /tmp/rel/README
echo ab > /tmp/rel/ab
cp /tmp/rel/bin/nc /tmp/rel/nc
printf 'README . 00600\nab ./bin\nnc ./images\n' >> /tmp/rel/etc/JARNINST.CONF
# The generated files without their date and notice lines.
bare() { grep -v -e '^# Creation date' -e '^# De-installation script' -e '^# Copyright' -e '^# This script is part' "$1"; }

/tmp/rel/setup </dev/null >/dev/null 2>&1
check "new installation: exit 0" [ $? = 0 ]
check "modes" [ "$(stat -c %a /opt/bry /opt/bry/bin /opt/bry/bin/qorgsfilter /opt/bry/bin/jarn /opt/bry/etc/UNINSTALLJARN \
  /opt/bry/etc/Jarn2.0.desktop /opt/bry/images /usr/share/ppd/bry | tr '\n' ' ')" = "755 755 755 755 755 644 755 755 " ]
check "/usr/bin/jarn" [ "$(readlink /usr/bin/jarn)" = /opt/bry/bin/jarn ]
check "/usr/bin/qorgsfilter" [ "$(readlink /usr/bin/qorgsfilter)" = /opt/bry/bin/qorgsfilter ]
check "start-up script" cmp -s <(bare /opt/bry/bin/jarn | grep -v JARNCUPS) <(bare "$G/jarn-nocups")
check "start-up script's CUPS lines" [ "$(grep -c '^JARNCUPSDIR=/$\|^JARNCUPSBINDIR=/usr$\|^export JARNCUPS' /opt/bry/bin/jarn)" = 4 ]
for f in etc/UNINSTALLJARN etc/Jarn2.0.desktop jarnInfo2.0; do
  check "$f" cmp -s <(bare "/opt/bry/$f") "$G/$(basename "$f")"
done
check "scripts pass sh -n" sh -n /opt/bry/bin/jarn /opt/bry/etc/UNINSTALLJARN
for p in /tmp/rel/ppd/*; do
  check "$(basename "$p") installed" cmp -s "$p" "/usr/share/ppd/bry/$(basename "$p")"
done
check "README a file with its mode" [ "$(stat -c %F:%a /opt/bry/README)" = "regular file:600" ]
check "2-character SOURCE not copied, nc copied" [ ! -e /opt/bry/bin/ab -a -x /opt/bry/images/nc ]
check "no module load with SELinux off" not_logged semodule "$FAKE_LOG"

# The start-up script: root runs Jarn.exe; another user goes through the
# first su helper found, which gets the command line as its argv says.
printf '#!/bin/sh\nfor a; do echo "[$a]"; done > /tmp/args\n' > /opt/bry/bin/Jarn.exe
/usr/bin/jarn -x 7
check "root runs Jarn.exe" [ "$(cat /tmp/args)" = "$(printf '[-MC100]\n[-W/opt/bry]\n[-x]\n[7]')" ]
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
check "UNINSTALLJARN removes it" absent /opt/bry
check "and its own /usr/bin/qorgsfilter" absent /usr/bin/qorgsfilter
check "/usr/bin/jarn left dangling" [ -L /usr/bin/jarn -a ! -e /usr/bin/jarn ]

# Installed again under -u /opt/other with SELinux on: the dangling link is
# repaired; the labels and the module load name that tree.
touch /run/jarn-selinux-on
echo dummy > /tmp/rel/etc/jarn.pp
echo "etc/jarn.pp ./etc 00644" >> /tmp/rel/etc/JARNINST.CONF
: > "$FAKE_LOG"
/tmp/rel/setup -u /opt/other </dev/null >/dev/null 2>&1
check "-u /opt/other: exit 0" [ $? = 0 ]
check "dangling /usr/bin/jarn replaced" logged "Link 1: /usr/bin/jarn linked to /opt/other/bin/jarn."
check "/usr/bin/qorgsfilter" [ "$(readlink /usr/bin/qorgsfilter)" = /opt/other/bin/qorgsfilter ]
for p in jarn qorgsfilter; do
  check "$p labelled" logged "/usr/bin/chcon -t bin_t /opt/other/bin/$p (argc=3)" "$FAKE_LOG"
done
check "nothing under /opt/bry labelled" not_logged /opt/bry "$FAKE_LOG"
check "module loaded once, from the tree" [ "$(grep semodule "$FAKE_LOG")" = "/usr/bin/semodule -i /opt/other/etc/jarn.pp (argc=2)" ]
check "module loaded after the copy" [ "$(grep -n 'Copying file\|install returns: 0' "$LOG" | tail -1 | grep -c 'returns')" = 1 ]
check "module said installed" logged "SELinux module jarn.pp is installed."
printf '#!/bin/sh\nexit 3\n' > /usr/bin/semodule
/tmp/rel/setup -u /opt/other </dev/null >/dev/null 2>&1
check "failed load: exit 0" [ $? = 0 ]
check "failed load logged" logged 'SELinux module "jarn.pp" install returns: 3.'
check "failed load not said installed" not_logged "SELinux module jarn.pp is installed."
rm /run/jarn-selinux-on

# An installation directory that cannot be made stops the run.
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
finish

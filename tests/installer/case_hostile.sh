# Sandbox case: setup as a hostile local user would meet it: another user's
# process calling itself cupsd, a full disk, a 1777 -u directory with
# planted links, system directories and a link as installation directories,
# an interrupted de-installation; the command line and one log for all runs.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
copy_release
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
runs() { grep -c '^=== Jarn 2.0-10 setup run of .*: /tmp/rel/setup' "$LOG"; }

# Another user's "cupsd" with tools of its own, started before the daemon.
mkdir -p /tmp/evil/sbin
for t in cupsd lpadmin lpstat lpinfo lpoptions cupsaccept cupsenable accept enable; do
  printf '#!/bin/sh\necho "$0 $*" >> /tmp/evil/ran\n' > /tmp/evil/sbin/$t
  chmod 0755 /tmp/evil/sbin/$t
done
chown -R 65534:65534 /tmp/evil
as_nobody bash -c 'exec -a /tmp/evil/sbin/cupsd sleep 600' &
evil=$!
start_daemon
trap 'kill $evil; "$T/harness/private-cupsd.sh" stop /run/cupsd' EXIT

# A full disk: whole files or none, /usr/bin links only to whole files.
mkdir -p /opt/full && mount -t tmpfs -o size=1m,mode=0755 full /opt/full
/tmp/rel/setup -u /opt/full </dev/null >/tmp/out 2>/dev/null
check "full disk: exit 1" [ $? = 1 ]
check "full disk: said" grep -q '^Jarn 2.0-10 was not installed in /opt/full: .* Not everything could be done' /tmp/out
check "full disk: no partial or temporary file" [ -z "$(find /opt/full \( -size 0 -o -name '.*.??????' \) -type f)" ]
check "full disk: no link to a missing program" eval '[ ! -L /usr/bin/qorgsfilter ] && [ ! -L /usr/bin/jarn ]'
check "full disk: jarn whole" eval 'sh -n /opt/full/bin/jarn && [ "$(tail -1 /opt/full/bin/jarn)" = fi ]'
umount /opt/full

# A 1777 -u directory where another user planted a bin/ and links.
mkdir -m 1777 /srv/shared
for v in 3 4; do echo "victim $v" > /etc/victim$v && chmod 0600 /etc/victim$v; done
as_nobody mkdir /srv/shared/bin
as_nobody ln -s /etc/victim3 /srv/shared/bin/qorgsfilter
as_nobody ln -s /etc/victim4 /srv/shared/jarnInfo2.0
/tmp/rel/setup -u /srv/shared </dev/null >/tmp/out 2>/dev/null
st=$?
check "shared: exit 0, said where" eval '[ $st = 0 ] && [ "$(cat /tmp/out)" = "Jarn 2.0-10 installed in /srv/shared." ]'
check "shared: targets untouched" [ "$(cat /etc/victim3 /etc/victim4)" = "$(printf 'victim 3\nvictim 4')" ]
check "shared: directories root's, 0755" [ "$(stat -c %U:%a /srv/shared /srv/shared/bin | sort -u)" = root:755 ]
check "shared: the release's program" cmp -s /srv/shared/bin/qorgsfilter /tmp/rel/bin/qorgsfilter
check "shared: own information file" grep -qx 'USRDIR          /srv/shared' /srv/shared/jarnInfo2.0
check "nothing names /tmp/evil" [ -z "$(grep -rl /tmp/evil /srv/shared /opt/full)" ]

# A managed queue removed with -d: lpadmin is the system's.
sed -i '/^%%QORBLOCK_PRINTERS_BEGIN$/{n;s/^Default$/Default\nZ/}' /srv/shared/jarnInfo2.0
lpadmin -p Z -E -v file:/dev/null 2>/dev/null
printf 'yes\n' | /tmp/rel/setup -d -u /srv/shared >/tmp/out 2>/dev/null
st=$?
check "-d: exit 0, said" eval '[ $st = 0 ] && [ "$(tail -1 /tmp/out)" = "Jarn 2.0-10 removed from /srv/shared." ]'
check "-d: queue removed by the system's lpadmin" eval 'logged "/usr/sbin/lpadmin -xZ" && ! lpstat -v Z >/dev/null 2>&1'
check "nothing of /tmp/evil run" absent /tmp/evil/ran

# System directories and links are no installation directories.
lpadmin -p U -E -v file:/dev/null -P /tmp/rel/ppd/Velta-C400-PS-en.ppd 2>/dev/null
before=$(find /etc/cups /var/spool/cups /usr/local -printf '%p %s %m\n' | sort | md5sum)
ln -s /usr/local /opt/lnk
for u in /etc/cups:"directory /etc" /var/spool/cups:"directory /var" /opt/lnk:"/opt/lnk, a part of it, is a symbolic link"; do
  why=${u#*:} u=${u%%:*}
  /tmp/rel/setup -u $u </dev/null >/tmp/out 2>/tmp/err
  st=$?
  check "-u $u: exit 1, refused on standard error: $why" eval '[ $st = 1 ] && grep -q "is refused: .*$why" /tmp/err'
  printf 'yes\n' | /tmp/rel/setup -d -u $u >/dev/null 2>&1
  check "-d -u $u: exit 1" [ $? = 1 ]
done
check "nothing changed there" [ "$(find /etc/cups /var/spool/cups /usr/local -printf '%p %s %m\n' | sort | md5sum)" = "$before" ]

# The command line: -x stops before anything, -h lists every option.
/tmp/rel/setup </dev/null >/dev/null 2>&1
n=$(runs) && sum=$(md5sum < "$LOG")
/tmp/rel/setup -x >/tmp/out 2>/tmp/err
st=$?
check "-x: exit 2, usage, log as it was" eval '[ $st = 2 ] && [ ! -s /tmp/out ] && grep -q "^Usage:" /tmp/err && [ "$(md5sum < "$LOG")" = "$sum" ]'
/tmp/rel/setup -u >/dev/null 2>&1
check "-u without its value: exit 2" [ $? = 2 ]
/tmp/rel/setup -h >/tmp/out 2>/dev/null
check "-h: every option" [ "$(grep -c '^-[dfhimqSuwDZ]' /tmp/out)" = 11 ]
/tmp/rel/setup </dev/null >/tmp/out 2>/dev/null
check "an update after the install: one log, both runs" eval '[ "$(runs)" = $((n + 1)) ] && [ "$(grep -c "^Starting Jarn" "$LOG")" -ge $((n + 1)) ]'
check "update said" grep -qx 'Jarn 2.0-10 updated in /opt/bry.' /tmp/out

# A copy killed halfway: the program in place is the old one or the new
# one, whole; the next run puts the new one there.
cp /opt/bry/bin/qorgsfilter /tmp/old && head -c 150M /dev/urandom > /tmp/rel/bin/qorgsfilter
/tmp/rel/setup </dev/null >/dev/null 2>&1 &
for _ in $(seq 1 500); do ls /opt/bry/bin/.qorgsfilter.* >/dev/null 2>&1 && break; sleep 0.01; done
kill -9 $! && wait $! 2>/dev/null
check "killed copy: old or new, whole" eval 'cmp -s /opt/bry/bin/qorgsfilter /tmp/old || cmp -s /opt/bry/bin/qorgsfilter /tmp/rel/bin/qorgsfilter'
/tmp/rel/setup </dev/null >/dev/null 2>&1
check "killed copy: the next run finishes it" eval 'cmp -s /opt/bry/bin/qorgsfilter /tmp/rel/bin/qorgsfilter && [ -z "$(ls -A /opt/bry/bin | grep "^\.")" ]'

# A de-installation killed after the information file: -d finishes it;
# a file the installation did not put there keeps its directory.
echo mine > /opt/bry/images/mine.txt
touch /opt/bry/.jarnInfo2.0.lock
rm /opt/bry/jarnInfo2.0 /opt/bry/bin/Jarn.exe
printf 'yes\n' | /tmp/rel/setup -d >/tmp/out 2>/dev/null
st=$?
check "-d finished: exit 0, said" eval '[ $st = 0 ] && [ "$(tail -1 /tmp/out)" = "Jarn 2.0-10 removed from /opt/bry." ]'
check "-d finished: files, lock and empty directories gone" [ "$(cd /opt/bry && find . | sort | tr '\n' ' ')" = ". ./images ./images/mine.txt " ]
check "-d finished: /usr/bin links gone" eval '[ ! -L /usr/bin/jarn ] && [ ! -L /usr/bin/qorgsfilter ]'
check "nothing of /tmp/evil run" absent /tmp/evil/ran
finish

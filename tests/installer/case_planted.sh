# Sandbox case: a first-generation installation whose 0777 directory
# another user has touched: links planted at jarnInfo2.0 and
# jarnInfo1.0.old decide nothing and are written through nowhere; a link
# planted at etc is moved aside and the upgrade goes on.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
gen1() { sed 's/^\*% Jarn version: 2/*% Jarn version: 1/'; }
gen1 < "$REL/ppd/Velta-C400-PS-en.ppd" > /tmp/c400.ppd
info1='#\n# Jarn 1.0 Information File\n#\n%%%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /opt/bry\n%%%%QORBLOCK_GENERAL_END\n%%%%QORBLOCK_PRINTERS_BEGIN\nDefault\nQ\n%%%%QORBLOCK_PRINTERS_END\n'
# stage_first_generation: /opt/bry as 1.0 left it, with queue Q.
stage_first_generation() {
  rm -rf /opt/bry && mkdir -p /opt/bry/Q/root
  printf "$info1" > /opt/bry/jarnInfo1.0
  printf '%%%%JARN_CONFIGURATION_FILE\n%%%%JARN_VERSION_1.0\nPRINTERNAME Q\n' > /opt/bry/Q/root/jarnConfig
  chmod 0777 /opt/bry /opt/bry/Q /opt/bry/Q/root
  lpadmin -p Q -E -v file:/dev/null -P /tmp/c400.ppd 2>/dev/null
}
victims() { cat /etc/victim1 /etc/victim7; stat -c %a /etc/victim1 /etc/victim7; ls -A /etc/vdir; }
for v in 1 7; do echo "victim $v" > /etc/victim$v && chmod 0600 /etc/victim$v; done
mkdir -m 0700 /etc/vdir
before=$(victims)

stage_first_generation
as_nobody ln -s /etc/victim1 /opt/bry/jarnInfo2.0
as_nobody ln -s /etc/victim7 /opt/bry/jarnInfo1.0.old
/tmp/rel/setup </dev/null >/tmp/out 2>/tmp/err
st=$?
check "planted info: exit 0, upgraded" eval '[ $st = 0 ] && [ "$(cat /tmp/out)" = "Jarn 1.0 upgraded to 2.0-10 in /opt/bry." ]'
check "planted info: upgrade mode 1, two printers" eval 'logged "Upgrade Mode = 1." && logged "Number of Jarn printers found: 2."'
check "planted info: Q and its jarnConfig at 2.0" eval 'grep -q "^\*% Jarn version: 2" /etc/cups/ppd/Q.ppd && grep -qx "%%JARN_VERSION_2.0" /opt/bry/Q/root/jarnConfig'
check "planted info: jarnInfo2.0 from 1.0" eval '[ "$(stat -c %F:%U /opt/bry/jarnInfo2.0)" = "regular file:root" ] && grep -qx Q /opt/bry/jarnInfo2.0'
check "planted info: backup is root's with the 1.0 contents" eval '[ ! -L /opt/bry/jarnInfo1.0.old ] && [ "$(stat -c %U /opt/bry/jarnInfo1.0.old)" = root ] && [ "$(cat /opt/bry/jarnInfo1.0.old)" = "$(printf "$info1")" ] && absent /opt/bry/jarnInfo1.0'
check "planted info: both links moved aside, logged" eval '[ "$(readlink /opt/bry/jarnInfo2.0.link-moved)" = /etc/victim1 ] && [ "$(readlink /opt/bry/jarnInfo1.0.old.link-moved)" = /etc/victim7 ] && logged "moved aside to '"'"'/opt/bry/jarnInfo1.0.old.link-moved'"'"'"'
check "planted info: victims untouched" [ "$(victims)" = "$before" ]

lpadmin -x Q
stage_first_generation
as_nobody ln -s /etc/vdir /opt/bry/etc
/tmp/rel/setup </dev/null >/tmp/out 2>/tmp/err
st=$?
check "etc link: exit 0, upgraded" eval '[ $st = 0 ] && [ "$(cat /tmp/out)" = "Jarn 1.0 upgraded to 2.0-10 in /opt/bry." ]'
check "etc link: moved aside, logged" eval '[ "$(readlink /opt/bry/etc.link-moved)" = /etc/vdir ] && logged "'"'"'/opt/bry/etc'"'"' is not the installation'"'"'s own: moved aside"'
check "etc link: etc is root's directory with the release's files" eval '[ "$(stat -c %F:%U:%a /opt/bry/etc)" = directory:root:755 ] && [ -f /opt/bry/etc/UNINSTALLJARN ]'
check "etc link: victims untouched" [ "$(victims)" = "$before" ]
finish

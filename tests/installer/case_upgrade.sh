# Sandbox case: setup upgrades the queues on first-generation PPDs of the
# English C400 PS (default A5, and a custom size) and of the compressed C450
# PS; a CUPS backup file "Q.ppd.O" and a queue on a second-generation PPD
# stay as they are. The installation's directories are 0777, as the first
# generation made them, with links another user planted.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
install_stubs
start_daemon
copy_release
lacks() { ! grep -q "$1" "$2"; }
gen1() { sed 's/^\*% Jarn version: 2/*% Jarn version: 1/'; }

# A first-generation installation in /opt/bry, staged by hand.
mkdir -p /opt/bry/ppd /opt/bry/Q/root
cp "$REL"/ppd/* /opt/bry/ppd/
printf '#\n# Jarn 1.0 Information File\n#\n%%%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /opt/bry\n%%%%QORBLOCK_GENERAL_END\n' > /opt/bry/jarnInfo1.0
printf '%%%%JARN_CONFIGURATION_FILE\n%%%%JARN_VERSION_1.0\nPRINTERNAME Q\n' > /opt/bry/Q/root/jarnConfig
mkdir -p /opt/bry/images /opt/bry/R/root
chmod 0777 /opt/bry /opt/bry/ppd /opt/bry/images /opt/bry/Q /opt/bry/Q/root /opt/bry/R /opt/bry/R/root
for v in 1 2; do echo "victim $v" > /etc/victim$v && chmod 0600 /etc/victim$v; done
as_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
as_nobody ln -s /etc/victim1 /opt/bry/images/buttonAddb.xpm
as_nobody ln -s /etc/victim2 /opt/bry/R/root/jarnConfig
gen1 < "$REL/ppd/Velta-C400-PS-en.ppd" > /tmp/c400.ppd
zcat "$REL/ppd/Velta-C450-PS-en.ppd.gz" | gen1 > /tmp/c450.ppd
lpadmin -p Q -E -v file:/dev/null -P /tmp/c400.ppd -o PageSize=A5 2>/dev/null
lpadmin -p R -E -v file:/dev/null -P /tmp/c450.ppd 2>/dev/null
lpadmin -p S -E -v file:/dev/null -P "$REL/ppd/Velta-C400-PS-en.ppd" 2>/dev/null
lpadmin -p C -E -v file:/dev/null -P /tmp/c400.ppd -o PageSize=Custom.100x150mm 2>/dev/null
P=/etc/cups/ppd
cp "$P/Q.ppd" /tmp/Q.old
cp "$P/Q.ppd" "$P/Q.ppd.O"
chmod 0640 "$P/Q.ppd"
chgrp lp "$P/Q.ppd"
sums() { md5sum "$P/Q.ppd.O" "$P/S.ppd"; }
before=$(sums)
check "old Q: A5 chosen" grep -q '^\*DefaultPageSize: A5' "$P/Q.ppd"

/tmp/rel/setup </dev/null >/dev/null 2>&1
rc=$?
check "exit 0" [ $rc = 0 ]
check "Q: old default kept" grep -q '^\*DefaultPageSize: A5' "$P/Q.ppd"
check "Q: the size's companions follow" [ "$(grep -c '^\*Default\(PageRegion\|ImageableArea\|PaperDimension\): A5' "$P/Q.ppd")" = 3 ]
check "C: custom size carried" grep -q '^\*DefaultPageSize: Custom.100x150mm' "$P/C.ppd"
check "Q: English PPD" grep -q '^\*LanguageVersion: English' "$P/Q.ppd"
check "Q: second generation" grep -q '^\*% Jarn version: 2' "$P/Q.ppd"
check "Q: no '*Default*' line" lacks '^\*Default\*' "$P/Q.ppd"
check "Q: mode and group kept" [ "$(stat -c %a:%G "$P/Q.ppd")" = 640:lp ]
check "Q: backup is the old file" cmp -s /etc/cups/Q.ppd.rpmsave /tmp/Q.old
check "R: from the compressed PPD" grep -q '^\*% Jarn version: 2' "$P/R.ppd"
check "R: decompressed through gzip" grep -qE "Copying /[^ ]+/Velta-C450-PS-en[.]ppd[.]gz to $P/R[.]ppd: result=0" "$LOG"
check "Q.ppd.O and S untouched" [ "$(sums)" = "$before" ]
check "S not listed" not_logged "Printer : S."
check "jarnConfig moved to 2.0" grep -qx '%%JARN_VERSION_2.0' /opt/bry/Q/root/jarnConfig
check "CUPS restarted" logged "service cups restart" "$FAKE_LOG"
check "planted links' targets untouched" [ "$(cat /etc/victim1 /etc/victim2; stat -c %a /etc/victim1 /etc/victim2)" = "$(printf 'victim 1\nvictim 2\n600\n600')" ]
check "planted image replaced by the release's" cmp -s /opt/bry/images/buttonAddb.xpm "$REL/images/buttonAddb.xpm"
check "directories root's, 0755" [ "$(stat -c %U:%a /opt/bry /opt/bry/images /opt/bry/R/root | sort -u)" = root:755 ]
check "R's planted configuration not followed" logged "processPrinterConfig(R): cannot be updated."
check "jarnInfo1.0 set aside" [ -f /opt/bry/jarnInfo1.0.old -a ! -e /opt/bry/jarnInfo1.0 ]
/tmp/rel/setup </dev/null >/tmp/out 2>&1
check "next run: an update" eval 'logged "Upgrade Mode = 2." && grep -qx "Jarn 2.0-10 updated in /opt/bry." /tmp/out'
check "no work files left" [ -z "$(ls /tmp | grep -v -e '^c4[05]0.ppd$' -e '^Q.old$' -e '^rel$' -e '^out$')" ]
finish

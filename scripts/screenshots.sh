#!/usr/bin/env bash
# Remakes the README's screenshots, docs/images/*.png: the main window, the
# connection page, the print options page (General) and the advanced page (users'
# mailbox and secured printing) of the managed queue "Office", made through
# the wizard (jarn-drive, real X input) against a private CUPS daemon on a
# private Xvfb, with the tool tips switched off (Options > Blob Help) so that
# none shows where the pointer rests. Run from the checkout after a build:
#
#   scripts/screenshots.sh [BUILD (build)]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
if [ -z "${JARN_XVFB_PID:-}" ]; then
  JARN_XVFB_SCREEN=1280x1024x24 exec "$top/tests/x11/with-xvfb.sh" bash "$0" "$build"
fi
out=$top/docs/images
work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-shots-XXXXXX")
trap '"$top/tests/gui/cups-with-queues.sh" stop "$work/cups"; rm -rf "$work"' EXIT
"$top/tests/gui/cups-with-queues.sh" start "$work/cups" Lab
set -a; . "$work/cups/env"; set +a
W=$work/jarn
"$build/bin/jarnctl" info-create "$W" >/dev/null 2>&1
ln -s "$top/images" "$W/images"
# Runs the driver on the installation directory with the steps on stdin.
drive() { (cd "$work" && "$build/bin/jarn-drive" -W "$W" >/dev/null); }
drive <<T
click mainMenuMainCreate
type queNameTxt Office
pick queueTypeMenu PXL (PCL6)
click queNextPB
pick queTypeMenu Remote TCP/IP(9100)
type con9100IPTxt 192.168.1.20
click queLPDNextPB
set ppdSearchDir $top/ppd/
click ppdSelBrwseBtn
pick ppdFileBoxScrolledL Velta P4700 PXL
click ppdFileBoxOKPB
click okMainPB
click okMainPB
choose Duplex DuplexNoTumble
call updatePPDOption
call ManageMainForm 6
call setAdvOptMode 1
type loginNameTxt1 alice
counter advOptCounter 5
call applyUserEntry 1
call setAdvOptMode 2
type loginNameTxt bob
type passwordTxt 4711
call applyUserEntry 1
T
drive <<T
click mainMenuResetQtip
row printerScrlList 2
wait 600
shot $work/main.png
click queNextPB
click con9100IPTxt
shot $work/connection.png
click queLPDNextPB
click ppdSelNextPB
call ManageMainForm 4
wait 300
shot $work/options.png
call ManageMainForm 6
call setAdvOptMode 1
row uMailBoxScrlList 1
wait 600
shot $work/advanced.png
T
mkdir -p "$out"
for page in main connection options advanced; do
  convert "$work/$page.png" -crop 660x500+0+0 +repage -colors 64 "PNG8:$out/$page.png"
done
ls -l "$out"

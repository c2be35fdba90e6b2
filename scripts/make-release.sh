#!/usr/bin/env bash
# Makes a release directory of the Jarn printer driver from a build:
#
#   scripts/make-release.sh OUT [BUILD]
#
# OUT (made; must not exist or be empty) receives setup at the top and in
# bin/, bin/Jarn.exe, bin/qorgsfilter, bin/nc (the system's netcat),
# images/*.xpm, ppd/*.ppd and ppd/*.ppd.gz, etc/jarn2.0.png and the install
# manifest etc/JARNINST.CONF. BUILD defaults to build/. Files get mode 0755
# (programs) or 0644 whatever the umask; directories 0755.
#
# The manifest lists the "./" entries first and the "?" entries (the PPD
# files for the system's PPD directory) last, so that a run from inside the
# installation copies only the PPD files. The SELinux module jarn.pp is not
# part of a release made here.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 OUT [BUILD]" >&2; exit 2; }
out=$1
build=${2:-$top/build}
bin=$build/bin
for p in setup Jarn.exe qorgsfilter; do
  [ -x "$bin/$p" ] || { echo "$0: $bin/$p is not built" >&2; exit 1; }
done
nc=$(command -v nc) || { echo "$0: no nc found" >&2; exit 1; }
if [ -e "$out" ] && [ -n "$(ls -A "$out")" ]; then
  echo "$0: $out is not empty" >&2
  exit 1
fi

install -d -m 0755 "$out" "$out/bin" "$out/etc" "$out/images" "$out/ppd"
install -m 0755 "$bin/setup" "$out/setup"
install -m 0755 "$bin/setup" "$bin/Jarn.exe" "$bin/qorgsfilter" "$out/bin/"
install -m 0755 "$nc" "$out/bin/nc"
install -m 0644 "$top"/images/*.xpm "$out/images/"
install -m 0644 "$top/images/jarn2.0.png" "$out/etc/jarn2.0.png"
ppds=()
for f in "$top"/ppd/*.ppd "$top"/ppd/*.ppd.gz; do
  [ -e "$f" ] || continue
  install -m 0644 "$f" "$out/ppd/"
  ppds+=("ppd/$(basename "$f")")
done

{
  echo "# Jarn 2.0-10 install manifest: SOURCE DEST [MODE]"
  for p in bin/setup bin/Jarn.exe bin/qorgsfilter bin/nc; do
    echo "$p ./bin 00755"
  done
  for f in "$out"/images/*.xpm; do
    echo "images/$(basename "$f") ./images 00644"
  done
  echo "etc/jarn2.0.png ./etc 00644"
  echo "etc/JARNINST.CONF ./etc 00644"
  for p in "${ppds[@]}"; do
    echo "$p ./ppd 00644"
  done
  # Last: the PPD files for the system's PPD directory.
  for p in "${ppds[@]}"; do
    echo "$p ? 00644"
  done
} > "$out/etc/JARNINST.CONF"
chmod 0644 "$out/etc/JARNINST.CONF"

#!/usr/bin/env bash
# Builds the administration program and starts it against a private CUPS
# daemon with two sample queues ("Office", which it manages, and "Lab"), with
# a private installation directory, never touching the system's CUPS
# configuration.
#
#   scripts/demo.sh            as root on Debian 12, from the checkout
#
# With a working DISPLAY the program opens there and the demo ends when you
# quit it. Without one, a virtual X server is started, the demo waits for the
# main window, writes a screenshot (the path is printed) and stops.
# Everything it started is stopped at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
shot=${DEMO_SCREENSHOT:-$build/demo/jarn-main-window.png}

"$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target Jarn.exe jarnctl

work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-demo-XXXXXX")
xvfb_pid=
jarn_pid=
cleanup() {
  set +e
  [ -n "$jarn_pid" ] && kill "$jarn_pid" 2>/dev/null && wait "$jarn_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  "$top/tests/gui/cups-with-queues.sh" stop "$work/cups"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "demo: starting a private CUPS daemon with the queues Office and Lab"
"$top/tests/gui/cups-with-queues.sh" start "$work/cups" Office Lab
set -a
. "$work/cups/env"
set +a

# The private installation directory: its information file, and the
# button images the program loads from it.
install_dir="$work/jarn"
"$build/bin/jarnctl" info-create "$install_dir" >/dev/null 2>&1
ln -s "$top/images" "$install_dir/images"

# Office is a queue the program manages: the project's PCL XL model with
# duplex, its information-file block and its configuration file, so that
# the pages show real values.
ppd=$top/ppd/Velta-P4700-XL-en.ppd
lpadmin -p Office -P "$ppd" -o Duplex=DuplexNoTumble 2>/dev/null
"$build/bin/jarnctl" info-add-printer "$install_dir/jarnInfo2.0" Office
"$build/bin/jarnctl" info-add-user "$install_dir/jarnInfo2.0" root Office
mkdir -p "$install_dir/Office/root"
"$build/bin/jarnctl" config-write "$install_dir" Office printerType=3 connectType=3 printerHost=127.0.0.1 \
  tcpPort=9101 ppdFile="$ppd" ppdOrgFile="$ppd" userName=root >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "demo: starting Jarn.exe on $DISPLAY (quit it to end the demo)"
  "$build/bin/Jarn.exe" -MC100 -W"$install_dir" &
  jarn_pid=$!
  wait "$jarn_pid" || true
  jarn_pid=
  exit 0
fi

echo "demo: no display; starting a virtual one"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
  sleep 0.05
done
grep -q '^[0-9][0-9]*$' "$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

"$build/bin/Jarn.exe" -MC100 -W"$install_dir" >"$work/jarn.log" 2>&1 &
jarn_pid=$!
if ! timeout 30 xdotool search --sync --onlyvisible --classname jarnMainShell >/dev/null; then
  echo "demo: the main window did not appear" >&2
  cat "$work/jarn.log" >&2
  exit 1
fi
sleep 1
mkdir -p "$(dirname "$shot")"
import -window root -crop 660x500+0+0 "$shot"
echo "demo: screenshot of the main window written to $shot"

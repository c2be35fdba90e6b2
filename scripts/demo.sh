#!/usr/bin/env bash
# Builds the administration program and starts it against a private CUPS
# daemon with two sample queues ("Office", which it manages, and "Lab"), with
# a private installation directory, never touching the system's CUPS
# configuration.
#
#   scripts/demo.sh                    as root on Debian 12, from the checkout
#   scripts/demo.sh --prebuilt BUILD   the programs of an existing build; installs and builds nothing
#
# Each queue prints to a listener on 127.0.0.1 that keeps what it receives in
# DIR/QUEUE.out (DIR is DEMO_DIR, default BUILD/demo): Office through its real
# print path (the Velta PCL XL PPD: foomatic-rip, Ghostscript, qorgsfilter),
# Lab raw. The model chooser lists the project's PPD set (ppd/).
#
# With a working DISPLAY the program opens there and the demo ends when you
# quit it. Without one (or on a private test display, JARN_XVFB_PID set), a
# virtual X server is started when needed, the demo waits for the main
# window, writes a screenshot, prints the program's one-page PostScript test
# page on Office, waits until the job has completed and stops. At its end it
# names the files that hold the print output. Everything it started is
# stopped at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
prebuilt=0
if [ "${1:-}" = --prebuilt ] && [ $# = 2 ]; then
  prebuilt=1
  build=$(cd "$2" && pwd)
elif [ $# != 0 ]; then
  sed -n 's/^#   //p' "$0" >&2
  exit 2
fi
out_dir=${DEMO_DIR:-$build/demo}
shot=${DEMO_SCREENSHOT:-$out_dir/jarn-main-window.png}
harness=$top/tests/harness/private-cupsd.sh

if [ "$prebuilt" = 0 ]; then
  "$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt"
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" --target Jarn.exe jarnctl qorgsfilter
fi

# The tree is 0755: the daemon runs filters and back ends as lp.
work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-demo-XXXXXX")
chmod 0755 "$work"
xvfb_pid=
jarn_pid=
listeners=()
cleanup() {
  set +e
  [ -n "$jarn_pid" ] && kill "$jarn_pid" 2>/dev/null && wait "$jarn_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  "$top/tests/gui/cups-with-queues.sh" stop "$work/cups"
  for pid in "${listeners[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The daemon's programs: the system's, with qorgsfilter among the filters
# (the PPD's print path runs it by name, and the daemon puts its filter
# folder first on the filters' PATH). Root's, not writable by group or others.
lib=$work/cups-lib
mkdir -m 0755 "$lib" "$lib/filter"
for d in /usr/lib/cups/*; do [ "${d##*/}" = filter ] || ln -s "$d" "$lib/"; done
ln -s /usr/lib/cups/filter/* "$lib/filter/"
install -m 0755 "$build/bin/qorgsfilter" "$lib/filter/qorgsfilter"

echo "demo: starting a private CUPS daemon with the queues Office and Lab"
CUPSD_EXTRA_FILES_CONF="ServerBin $lib" "$top/tests/gui/cups-with-queues.sh" start "$work/cups" Office Lab
set -a
. "$work/cups/env"
set +a

# The CUPS programs and data as the program finds them: the system's
# programs, and the project's PPD set as the maker's model directory, which
# the model chooser lists.
prefix=$work/cups-prefix
set_dir=$prefix/share/cups/model/bry
mkdir -p "$set_dir"
ln -s /usr/bin "$prefix/bin"
ln -s /usr/sbin "$prefix/sbin"
cp "$top"/ppd/Velta-*.ppd* "$set_dir/"
export JARNCUPSBINDIR=$prefix

# QUEUE's device: a listener on a free port of 127.0.0.1 that appends every
# job to DIR/QUEUE.out; sets port.
mkdir -p "$out_dir"
listen() {
  port=$(bash "$harness" free-port)
  : >"$out_dir/$1.out"
  nc -lk 127.0.0.1 "$port" >>"$out_dir/$1.out" 2>/dev/null &
  listeners+=($!)
}
listen Lab
lpadmin -p Lab -v "socket://127.0.0.1:$port" 2>/dev/null
listen Office

# Office is a queue the program manages: the project's PCL XL model with
# duplex, its information-file block and its configuration file, whose PPD
# is the queue's own as the daemon holds it, so that the pages show the
# daemon's values.
xl_ppd=Velta-P4700-XL-en.ppd
lpadmin -p Office -v "socket://127.0.0.1:$port" -P "$set_dir/$xl_ppd" -o Duplex=DuplexNoTumble 2>/dev/null
install_dir="$work/jarn"
"$build/bin/jarnctl" info-create "$install_dir" >/dev/null 2>&1
ln -s "$top/images" "$install_dir/images"
"$build/bin/jarnctl" info-add-printer "$install_dir/jarnInfo2.0" Office
"$build/bin/jarnctl" info-add-user "$install_dir/jarnInfo2.0" root Office
"$build/bin/jarnctl" config-write "$install_dir" Office printerType=3 connectType=3 printerHost=127.0.0.1 \
  tcpPort="$port" ppdFile="$JARNCUPSDIR/etc/cups/ppd/Office.ppd" ppdOrgFile="$set_dir/$xl_ppd" \
  userName=root >/dev/null

# The state of the daemon's job ID from its log: completed, aborted, canceled
# or stopped; "pending" while it has none of these.
job_state() {
  local line
  line=$(grep -o "\[Job ${1##*-}\] Job \(completed\|aborted\|canceled\|stopped\)" "$CUPS_TEST_BASE/log/error_log" |
    tail -n 1)
  echo "${line:-x pending}" | awk '{ print $NF }'
}

# Names where each queue's jobs went, with their states.
report_output() {
  local q jobs
  for q in Office Lab; do
    jobs=$(lpstat -W all -o "$q" 2>/dev/null | awk '{ print $1 }' | while read -r j; do
      echo "$j $(job_state "$j")"; done | sort -t- -k2n | paste -sd, -)
    echo "demo: $q's print output: $out_dir/$q.out ($(stat -c %s "$out_dir/$q.out") bytes; jobs: ${jobs:-none})"
  done
}

if [ -n "${DISPLAY:-}" ] && [ -z "${JARN_XVFB_PID:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "demo: starting Jarn.exe on $DISPLAY (quit it to end the demo)"
  echo "demo: Office prints into $out_dir/Office.out, Lab into $out_dir/Lab.out"
  "$build/bin/Jarn.exe" -MC100 -W"$install_dir" &
  jarn_pid=$!
  wait "$jarn_pid" || true
  jarn_pid=
  report_output
  exit 0
fi

if [ -z "${JARN_XVFB_PID:-}" ]; then
  echo "demo: no display; starting a virtual one"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    grep -q '^[0-9][0-9]*$' "$work/display" 2>/dev/null && break
    sleep 0.05
  done
  grep -q '^[0-9][0-9]*$' "$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$work/display")"
fi

# The pointer in the screen's far corner, where it opens no tool tip.
read -r width height < <(xdotool getdisplaygeometry)
xdotool mousemove $((width - 1)) $((height - 1))
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

# The program's test page (Options, Print Test Page, 1 page PostScript) by
# the program's own code, then the job until the daemon has finished it.
echo "demo: printing the one-page PostScript test page on Office"
"$build/bin/jarnctl" testpage Office ps 1 >/dev/null 2>&1
job=$(lpstat -W all -o Office | awk '{ print $1 }' | sort -t- -k2n | tail -n 1)
for _ in $(seq 1 600); do
  [ "$(job_state "$job")" = pending ] || break
  sleep 0.1
done
report_output
[ "$(job_state "$job")" = completed ] || { grep "\[Job ${job##*-}\]" "$CUPS_TEST_BASE/log/error_log" | tail -n 20 >&2; exit 1; }

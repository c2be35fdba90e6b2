#!/usr/bin/env bash
# The whole administration program driven from outside, on the X server of
# with-xvfb.sh and a private CUPS daemon: -h and a missing display, the
# information-file question answered with xdotool, the main window's class,
# title and size, the options -x/-y, -display and -xrm, and the window-manager
# close (WM_DELETE_WINDOW from our own sender) ending it with status 0; a clean
# start silent on stderr; the start-up messages of an uncreatable information file.
#
#   tests/x11/with-xvfb.sh tests/gui/program_test.sh JARN.EXE JARN_WM_DELETE
set -u
jarn=$1
wm_delete=$2
here=$(cd "$(dirname "$0")" && pwd)
base=$(mktemp -d "${TMPDIR:-/tmp}/jarn-program-XXXXXX") || exit 1
jarn_pid=
failures=0

cleanup() {
  [ -n "$jarn_pid" ] && kill "$jarn_pid" 2>/dev/null && wait "$jarn_pid" 2>/dev/null
  "$here/cups-with-queues.sh" stop "$base/cups"
  rm -rf "$base"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Waits for a visible window of the class name; prints its id.
wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --classname "$1" 2>/dev/null | head -n 1
}

# Answers the question box with Return (its default button is Yes) until
# it goes: a key that comes before the box has taken the focus is lost.
answer_yes() {
  for _ in $(seq 1 20); do
    xdotool windowfocus --sync "$1" key Return 2>/dev/null
    sleep 0.3
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
  done
}

# Waits for the program to end; its exit status goes into rc (124 after 20 s).
wait_exit() {
  local pid=$1
  rc=124
  for _ in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      rc=$?
      return
    fi
    sleep 0.1
  done
}

# --- no display needed -----------------------------------------------------
out=$(env -u DISPLAY "$jarn" -h 2>&1)
rc=$?
[ "$rc" = 0 ] && [ "$(printf '%s\n' "$out" | head -n 1)" = "Jarn version 2.0-10." ] \
  && pass "-h without a display" || fail "-h: status $rc, output: $(printf '%s' "$out" | head -n 2)"

err=$(DISPLAY=:4242 "$jarn" -W "$base/none" 2>&1 >/dev/null)
rc=$?
[ "$rc" = 1 ] && printf '%s\n' "$err" | grep -qx "$(basename "$jarn"): Unable to open Display." \
  && pass "no display: status 1 and the message" || fail "no display: status $rc, stderr: $err"

# --- a private daemon and a fresh installation directory --------------------
mkdir -p "$base/cups"
"$here/cups-with-queues.sh" start "$base/cups" Office Lab || { fail "no private CUPS daemon"; exit 1; }
set -a
. "$base/cups/env"
set +a
mkdir -p "$base/opt"
work="$base/opt/jarn"
# An over-long JARNINFO is dropped, so the question names the -W directory.
export JARNINFO="/$(printf 'x%.0s' $(seq 1 300))"

"$jarn" -W "$work" >"$base/run1.log" 2>&1 &
jarn_pid=$!
box=$(wait_window qorQuestionBox_popup)
if [ -z "$box" ]; then
  fail "no information-file question"
else
  xprop -id "$box" WM_NAME | grep -q '"Configuration File"' && pass "the question box asks" \
    || fail "question title: $(xprop -id "$box" WM_NAME)"
  answer_yes "$box"
fi
main=$(wait_window jarnMainShell)
[ -f "$work/jarnInfo2.0" ] && [ -d "$work/Default/root" ] && pass "information file created in -W" \
  || fail "no information file in $work"
[ "$(grep -c "no image directory $work/images" "$base/run1.log")" = 1 ] \
  && pass "the missing image folder is named once" || fail "image folder: $(cat "$base/run1.log")"
if [ -z "$main" ]; then
  fail "no main window"
else
  class=$(xprop -id "$main" WM_CLASS)
  [ "$class" = 'WM_CLASS(STRING) = "jarnMainShell", "Jarn9_1"' ] && pass "WM_CLASS" || fail "$class"
  xprop -id "$main" WM_NAME | grep -q '"Jarn 2.0-10 (Linux)"' && pass "title" \
    || fail "title: $(xprop -id "$main" WM_NAME)"
  xprop -id "$main" WM_ICON_NAME | grep -q '"Jarn 1.0"' && xprop -id "$main" WM_HINTS | grep -q 'bitmap id' \
    && pass "icon name and icon bitmap" || fail "icon: $(xprop -id "$main" WM_ICON_NAME WM_HINTS)"
  width=$(xwininfo -id "$main" | awk '/Width:/ {print $2}')
  [ "$width" = 640 ] && pass "width 640" || fail "width $width"
  "$wm_delete" "$main" || fail "WM_DELETE_WINDOW not sent"
  wait_exit "$jarn_pid"
  jarn_pid=
  [ "$rc" = 0 ] && pass "window close ends with status 0" || fail "window close: status $rc"
fi
unset JARNINFO

# --- small sizes and -display, with the information file now in place -------
display=$DISPLAY
env -u DISPLAY "$jarn" -W "$work" -x 100 -y 100 -display "$display" -v -MC0 >"$base/run2.log" 2>&1 &
jarn_pid=$!
main=$(DISPLAY=$display wait_window jarnMainShell)
if [ -z "$main" ]; then
  fail "-display: no main window"
  cat "$base/run2.log" >&2
else
  size=$(xwininfo -id "$main" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
  [ "$size" = 620x450 ] && pass "-x 100 -y 100 gives 620x450" || fail "size $size"
  "$wm_delete" "$main"
  wait_exit "$jarn_pid"
  jarn_pid=
  [ "$rc" = 0 ] && pass "second run ends with status 0" || fail "second run: status $rc"
  for line in "Jarn 2.0-0" "No mailbox support." "Scheduler   : CUPS."; do
    grep -qxF "$line" "$base/run2.log" && pass "verbose: $line" || fail "verbose report lacks: $line"
  done
fi

# --- a clean start with mailbox support: no message, nothing on stderr; -xrm --
cp -r "$here/../../images" "$work/images"
"$jarn" -W "$work" -MC100 -xrm '*jarnMainShell.geometry: +77+55' >"$base/run3.out" 2>"$base/run3.err" &
jarn_pid=$!
main=$(wait_window jarnMainShell)
boxes=$(xdotool search --onlyvisible --classname qorStartupMessage_popup 2>/dev/null | wc -l)
at=$(xwininfo -id "${main:-0}" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}')
[ "$at" = 77,55 ] && pass "-xrm reaches the main shell" || fail "-xrm: window at $at"
"$wm_delete" "${main:-0}"
wait_exit "$jarn_pid"
jarn_pid=
[ "$rc" = 0 ] && [ ! -s "$base/run3.err" ] && [ "$boxes" = 0 ] && pass "a clean start says nothing" \
  || fail "clean start: status $rc, $boxes message box(es), stderr: $(cat "$base/run3.err")"

# --- the information file cannot be made: every message shown, in order ------
: >"$base/plain"
"$jarn" -W "$base/plain/opt" >/dev/null 2>"$base/run4.err" &
jarn_pid=$!
box=$(wait_window qorQuestionBox_popup)
[ -n "$box" ] && answer_yes "$box"
sleep 1.5  # inside the 5 s the fatal message stands before the exit
shown=$(xdotool search --onlyvisible --classname qorStartupMessage_popup 2>/dev/null | wc -l)
wait_exit "$jarn_pid"
jarn_pid=
expected="[4] Directory Creation: Directory '$base/plain/opt' will be created
[1] Configuration Problem: Cannot create dir:
$base/plain/opt
[1] Configuration Problem: Cannot create
Configuration file"
[ "$rc" = 255 ] && [ "$shown" = 3 ] && [ "$(cat "$base/run4.err")" = "$expected" ] \
  && pass "start-up messages shown at once and in order" \
  || fail "fatal start: status $rc, $shown box(es), stderr: $(cat "$base/run4.err")"

[ "$failures" = 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "all program checks passed"

#!/usr/bin/env bash
# The demo on a private display, run from a build: it prints the program's
# test page on Office, the job completes, and the file it names at its end
# holds the page as qorgsfilter sends it (our PJL header, then PCL XL).
#   demo_test.sh TOP BUILD
set -uo pipefail
top=$1 build=$2
if [ "$(id -u)" != 0 ] || [ ! -x /usr/sbin/cupsd ] || ! command -v foomatic-rip gs >/dev/null; then
  echo "demo_test: needs root, cupsd, foomatic-rip and gs; skipped"
  exit 77
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/jarn-demo-test-XXXXXX")
trap 'rm -rf "$dir"' EXIT
DEMO_DIR=$dir/out bash "$top/scripts/demo.sh" --prebuilt "$build" >"$dir/log" 2>&1
rc=$?
out=$(sed -n "s/^demo: Office's print output: \(.*\) ([0-9]* bytes; jobs: .*/\1/p" "$dir/log")
failures=0
expect() {  # WHAT CONDITION...
  "${@:2}" || { echo "FAIL: $1" >&2; failures=$((failures + 1)); }
}
expect "demo exit status $rc" [ "$rc" = 0 ]
expect "no output file named" [ -f "$out" ]
expect "Office-1 not completed" grep -q "^demo: Office's print output: .*jobs: Office-1 completed)$" "$dir/log"
expect "output not behind our PJL header" [ "$(head -c 25 "$out")" = $'\e%-12345X@PJL Jarn2.0-10 ' ]
expect "no PCL XL in the output" grep -qa '^@PJL ENTER LANGUAGE=PCLXL' "$out"
expect "no screenshot" [ -s "$dir/out/jarn-main-window.png" ]
[ "$failures" = 0 ] || { cat "$dir/log" >&2; exit 1; }
echo "demo_test: the test page reached $out"

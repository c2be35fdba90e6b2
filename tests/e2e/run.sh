#!/usr/bin/env bash
# Makes a release from the build BUILD, adds the test's tools (jarn-drive,
# pxl-compare) beside it and runs the end-to-end case in the installer's
# sandbox. A sandbox that cannot be made is a failure here, not a skip.
#   tests/e2e/run.sh BUILD JARN-DRIVE PXL-COMPARE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/../../scripts/make-release.sh" "$work/rel" "$1" >/dev/null || { echo "FAIL step 1: no release staged" >&2; exit 1; }
install -d -m 0755 "$work/rel/e2e-tools"
install -m 0755 "$2" "$3" "$work/rel/e2e-tools/"
"$here/../installer/sandbox.sh" "$work/rel" "$here/e2e_case.sh"
st=$?
[ $st = 77 ] && { echo "FAIL: the sandbox could not be made (root and unshare are needed)" >&2; exit 1; }
exit $st

#!/usr/bin/env bash
# The print path's cost: a release from BUILD is installed by setup in the
# installer's sandbox (root; private daemon on port 631), and one document
# whose PCL XL from Ghostscript is about 200 MB is printed, alternating, RUNS
# times through the managed queue "office" (Ghostscript | qorgsfilter, the
# project's PCL XL PPD with duplex) and through "plain", the same PPD with
# Ghostscript alone, both to one listener on 127.0.0.1. Prints the median
# times and their ratio, and qorgsfilter's maximum resident set (GNU time)
# on the same stream.
#   bench/print_path.sh [BUILD (build)] [RUNS (3)]
# Targets: ratio within 1.3, maximum resident set under 8 MiB.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$top/scripts/make-release.sh" "$work/rel" "${1:-$top/build}" >/dev/null || exit 1
"$top/tests/installer/sandbox.sh" "$work/rel" "$top/tests/e2e/print_path_bench.sh" "${2:-3}"

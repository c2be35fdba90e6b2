#!/usr/bin/env bash
# Makes a release from the build BUILD and runs the sandbox case CASE on it:
#   tests/installer/with-release.sh BUILD CASE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/../../scripts/make-release.sh" "$work/rel" "$1" || exit 1
"$here/sandbox.sh" "$work/rel" "$2"

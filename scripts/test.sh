#!/usr/bin/env bash
# Builds everything and runs every test. On a fresh Debian 12 machine it first
# installs the packages the build and the tests use (as root):
# debian-packages.txt (building and running) and debian-test-packages.txt.
#
#   scripts/test.sh              plain build in build/
#   JARN_SANITIZE=1 scripts/test.sh   AddressSanitizer + UBSan build in build-asan/
#   BUILD_DIR=dir scripts/test.sh     another build directory
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt" "$top/scripts/debian-test-packages.txt"

sanitize=${JARN_SANITIZE:-0}
if [ "$sanitize" = 1 ]; then
  build=${BUILD_DIR:-$top/build-asan}
  flags=(-DJARN_SANITIZE=ON)
else
  build=${BUILD_DIR:-$top/build}
  flags=(-DJARN_SANITIZE=OFF)
fi
jobs=$(nproc)

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}"
cmake --build "$build" -j "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600

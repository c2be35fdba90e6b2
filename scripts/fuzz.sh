#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays each one's seed corpus and
# then fuzzes each for a bounded time. Exits non-zero on the first crash.
#
#   scripts/fuzz.sh            replay, then FUZZ_SECONDS (default 30) per target
#   FUZZ_SECONDS=0 scripts/fuzz.sh   replay only
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt"
build=${BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-30}

CC=clang-14 CXX=clang++-14 cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJARN_FUZZ=ON
cmake --build "$build" -j "$(nproc)"

shopt -s nullglob
targets=("$top"/fuzz/*_fuzzer.cpp)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets"
  exit 0
fi
for src in "${targets[@]}"; do
  name=$(basename "$src" .cpp)
  corpus="$top/fuzz/corpus/$name"
  work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-fuzz-XXXXXX")
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "fuzz: $name: replaying $(ls "$work" | wc -l) inputs"
  # A crashing input is kept in build-fuzz/crashes/ for a look.
  mkdir -p "$build/crashes"
  "$build/bin/$name" -runs=0 -artifact_prefix="$build/crashes/$name-" "$work"
  if [ "$seconds" -gt 0 ]; then
    echo "fuzz: $name: fuzzing for $seconds s"
    "$build/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$build/crashes/$name-" "$work"
  fi
  rm -rf "$work"
done
echo "fuzz: all targets passed"

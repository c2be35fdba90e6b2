#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, replays each one's seed corpus and
# then fuzzes each for a bounded time. Exits non-zero on the first crash.
#
#   scripts/fuzz.sh            replay, then fuzz: FUZZ_SECONDS (default 30) for
#                              each job-stream target, SHORT_FUZZ_SECONDS
#                              (default: FUZZ_SECONDS, at most 20) for the others
#   FUZZ_SECONDS=0 scripts/fuzz.sh   replay only
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt" "$top/scripts/debian-test-packages.txt"
build=${BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-30}
short_seconds=${SHORT_FUZZ_SECONDS:-$(( seconds < 20 ? seconds : 20 ))}
# The targets that stream whole print jobs get the longer time; the record
# and header readers are small and saturate sooner.
job_stream_targets=" mailbox_reader_fuzzer pcl_rewriter_fuzzer ps_handling_fuzzer pxl_filter_fuzzer "

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
  target_seconds=$short_seconds
  [[ "$job_stream_targets" == *" $name "* ]] && target_seconds=$seconds
  if [ "$target_seconds" -gt 0 ]; then
    echo "fuzz: $name: fuzzing for $target_seconds s"
    # The targets' own output is dropped; crash reports still show.
    "$build/bin/$name" -max_total_time="$target_seconds" -rss_limit_mb=2048 -timeout=10 -close_fd_mask=3 \
      -artifact_prefix="$build/crashes/$name-" "$work"
  fi
  rm -rf "$work"
done
echo "fuzz: all targets passed"

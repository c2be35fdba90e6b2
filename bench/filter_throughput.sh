#!/usr/bin/env bash
# Throughput and memory of qorgsfilter on large generated inputs. Times, in
# the same run and alternating, "cat big | cat" against "cat big |
# qorgsfilter ARGS | cat" for each case; prints the median ratio per case
# against its target, and the filter's maximum resident set (GNU time) for a
# small and the full input, to show that memory stays flat.
#   filter_throughput.sh /path/to/qorgsfilter [size-MiB (512)] [runs (5)]
# Inputs (one function each): PostScript from groff and Ghostscript's
# ps2write (binary), PCL 5 from Ghostscript's ljet4 at 600 dpi (dense escape
# sequences and raster rows); PCL XL through its own script (pxl_bench).
# Targets: PS and PSP within 1.3 of cat | cat, PCL within 2.0; maximum
# resident set under 8 MiB.
set -euo pipefail
filter=$1
size_mib=${2:-512}
runs=${3:-5}
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time ($gnu_time, package time)" >&2; exit 1; }
rss_limit_kib=8192

work=$(mktemp -d "${TMPDIR:-/tmp}/filter-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
bytes=$((size_mib * 1024 * 1024))

# Repeats the file $2 (after a head $1) until $3 holds $bytes bytes.
grow() {
  local head=$1 body=$2 out=$3
  cp "$head" "$out"
  while [ "$(stat -c %s "$out")" -lt "$bytes" ]; do cat "$body" "$body" "$body" "$body" >> "$out"; done
  truncate -s "$bytes" "$out"
}

# groff document in binary PostScript: its header, then its pages again and again.
make_ps_input() {
  { printf '.TL\nThroughput document\n.PP\n'
    for i in $(seq 1 3000); do printf 'Sentence %d of the benchmark document, filling the page. ' "$i"; done; printf '\n'; } > "$work/doc.ms"
  groff -ms -Tps "$work/doc.ms" > "$work/doc.ps"
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ps2write -dASCII85EncodePages=false -o "$work/bin.ps" "$work/doc.ps"
  grow "$work/bin.ps" "$work/bin.ps" "$work/ps"
}

# ljet4 at 600 dpi: one reset, then its pages again and again.
make_pcl_input() {
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ljet4 -r600 -sPAPERSIZE=a4 -dFIXEDMEDIA -o "$work/one.pcl" "$work/doc.ps"
  grow "$work/one.pcl" "$work/one.pcl" "$work/pcl"
}

. "$(dirname "${BASH_SOURCE[0]}")/bench_lib.sh"

status=0
# time_case LABEL INPUT TARGET ARGS...
time_case() {
  local label=$1 input=$2 target=$3
  shift 3
  : > "$work/base.txt"
  : > "$work/filter.txt"
  for _ in $(seq 1 "$runs"); do
    seconds "cat '$input' | cat > /dev/null" >> "$work/base.txt"
    seconds "cat '$input' | '$filter' $* | cat > /dev/null" >> "$work/filter.txt"
  done
  local base with ratio verdict=ok
  base=$(median < "$work/base.txt")
  with=$(median < "$work/filter.txt")
  ratio=$(awk -v a="$with" -v b="$base" 'BEGIN { printf "%.2f", a / b }')
  awk -v r="$ratio" -v t="$target" 'BEGIN { exit !(r > t) }' && { verdict="ABOVE TARGET $target"; status=1; }
  printf '%-14s cat|cat %7.3f s   cat|qorgsfilter|cat %7.3f s   ratio %s  %s\n' "$label" \
    "$(awk -v u="$base" 'BEGIN { print u / 1e6 }')" "$(awk -v u="$with" 'BEGIN { print u / 1e6 }')" "$ratio" "$verdict"
}

# rss_case INPUT ARGS...: the maximum resident set for the first 16 MiB and the whole input.
rss_case() {
  local input=$1
  shift
  head -c $((16 * 1024 * 1024)) "$input" > "$work/small"
  for which in small "$input"; do
    local file=$which
    [ "$which" = small ] && file="$work/small"
    local rss verdict=ok
    # shellcheck disable=SC2068
    rss=$("$gnu_time" -f '%M' -o "$work/rss" "$filter" $@ < "$file" > /dev/null; cat "$work/rss")
    [ "$rss" -ge "$rss_limit_kib" ] && { verdict="ABOVE TARGET $rss_limit_kib KiB"; status=1; }
    printf 'max resident set %-18s %5d MiB: %5d KiB  %s\n' "$*" $(($(stat -c %s "$file") / 1048576)) "$rss" "$verdict"
  done
}

make_ps_input
make_pcl_input
printf 'input: %d MiB each, %d runs per case\n' "$size_mib" "$runs"
time_case "PS" "$work/ps" 1.3 -MPS
time_case "PSP" "$work/ps" 1.3 -MPSP
time_case "PCL ljet4" "$work/pcl" 2.0 -MPCL -p26 -d1 -t2
rss_case "$work/ps" -MPS
rss_case "$work/ps" -MPSP
rss_case "$work/pcl" -MPCL -p26 -d1
rss_case "$work/pcl" -MPCL -xR2
# PCL XL on generated print data (image-heavy and text pages; own script).
pxl_bench() {
  bash "$(dirname "$0")/pxl_throughput.sh" "$filter" || status=1
}
pxl_bench
exit $status

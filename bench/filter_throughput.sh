#!/usr/bin/env bash
# Throughput and memory of qorgsfilter's pass-through road. Makes a large
# input at run time and times, in the same run and alternating, "cat big |
# cat" against "cat big | qorgsfilter -M<mode> | cat" for each mode; prints
# the median ratio per mode and the filter's maximum resident set (GNU time)
# for a small and the full input, to show that memory stays flat.
#   filter_throughput.sh /path/to/qorgsfilter [size-MiB (512)] [runs (5)]
# Targets: ratio within 1.2, maximum resident set under 4 MiB.
set -euo pipefail
filter=$1
size_mib=${2:-512}
runs=${3:-5}
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time ($gnu_time, package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/filter-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
# Printer-like data: a PCL-ish prefix, then incompressible bytes.
{ printf '\033E\033&l26A'; head -c $((size_mib * 1024 * 1024)) /dev/urandom; } > "$work/big"
head -c $((16 * 1024 * 1024)) "$work/big" > "$work/small"

seconds() {  # runs a shell pipeline text, prints its wall time
  local start end
  start=$(date +%s%N)
  bash -c "$1"
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

big="$work/big"
printf 'input: %d MiB, %d runs per case\n' "$size_mib" "$runs"
status=0
for mode in PCL PS PXL; do
  : > "$work/base.txt"
  : > "$work/filter.txt"
  for i in $(seq 1 "$runs"); do
    seconds "cat '$big' | cat > /dev/null" >> "$work/base.txt"
    seconds "cat '$big' | '$filter' -M$mode | cat > /dev/null" >> "$work/filter.txt"
  done
  base=$(median < "$work/base.txt")
  with=$(median < "$work/filter.txt")
  ratio=$(awk -v a="$with" -v b="$base" 'BEGIN { printf "%.2f", a / b }')
  verdict=ok
  awk -v r="$ratio" 'BEGIN { exit !(r > 1.2) }' && { verdict="ABOVE TARGET 1.2"; status=1; }
  printf '%-4s cat|cat %7.3f s   cat|qorgsfilter|cat %7.3f s   ratio %s  %s\n' "$mode" \
    "$(awk -v u="$base" 'BEGIN { print u / 1e6 }')" "$(awk -v u="$with" 'BEGIN { print u / 1e6 }')" "$ratio" "$verdict"
done

for input in small big; do
  for variant in "-MPCL" "-MPCL -xR2"; do
    # shellcheck disable=SC2086
    rss=$(cat "$work/$input" | "$gnu_time" -f '%M' -o "$work/rss" "$filter" $variant > /dev/null; cat "$work/rss")
    verdict=ok
    [ "$rss" -ge 4096 ] && { verdict="ABOVE TARGET 4096 KiB"; status=1; }
    printf 'max resident set %-12s %-5s (%4d MiB): %5d KiB  %s\n' "$variant" "$input" \
      $(($(stat -c %s "$work/$input") / 1048576)) "$rss" "$verdict"
  done
done
exit $status

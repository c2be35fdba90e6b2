#!/usr/bin/env bash
# Throughput and memory of qorgsfilter's PCL XL road on generated print data.
# Ghostscript renders three small jobs at run time: image-heavy pages (embedded
# data dominates), text pages (operators and short attribute lists
# dominate) and a PCL XL 3.0 job through ijs_pxljr (vendor data); each is
# repeated into an input of several hundred MB. Times, in
# the same run and alternating, "cat big | cat" against
# "cat big | qorgsfilter -MPXL -p26 -d1 | cat", prints the median ratio and
# the filter's maximum resident set (GNU time) for a small and the full input.
#   pxl_throughput.sh /path/to/qorgsfilter [size-MiB (384)] [runs (5)]
# Targets: ratio within 2.0, maximum resident set under 8 MiB and flat.
set -euo pipefail
filter=$1
size_mib=${2:-384}
runs=${3:-5}
gnu_time=/usr/bin/time
[ -x "$gnu_time" ] || { echo "needs GNU time ($gnu_time, package time)" >&2; exit 1; }
command -v gs > /dev/null || { echo "needs Ghostscript (gs)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/pxl-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

cat > "$work/images.ps" <<'PS'
%!PS
/row 600 string def
0 1 599 { row exch dup 13 mul 251 mod put } for
1 1 4 { pop
  gsave 36 36 translate 540 720 scale 600 800 8 [600 0 0 800 0 0] { row } image grestore
  showpage } for
PS
cat > "$work/text.ps" <<'PS'
%!PS
/Times-Roman findfont 7 scalefont setfont
1 1 4 { pop
  0 1 89 { /y exch def 0 1 11 { /x exch def 20 x 48 mul add 20 y 8 mul add moveto (word) show } for } for
  showpage } for
PS

# Repeats a file into one of at least size_mib MiB by doubling.
grow() {
  local src=$1 dst=$2
  cp "$src" "$dst"
  while [ "$(stat -c %s "$dst")" -lt $((size_mib * 1048576)) ]; do
    cat "$dst" "$dst" > "$dst.next"
    mv "$dst.next" "$dst"
  done
}

for kind in images text; do
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pxlmono -o "$work/$kind.pxl" "$work/$kind.ps"
  grow "$work/$kind.pxl" "$work/$kind.big"
done
# A PCL XL 3.0 colour-laser job with vendor data (ijs_pxljr, package
# printer-driver-pxljr), from the image pages.
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ijs -sIjsServer=ijs_pxljr -sDeviceManufacturer=HP \
  "-sDeviceModel=hp color LaserJet 3500" -dIjsUseOutputFD -r600 -o "$work/pxljr.pxl" "$work/images.ps" 2> /dev/null
grow "$work/pxljr.pxl" "$work/pxljr.big"

. "$(dirname "${BASH_SOURCE[0]}")/bench_lib.sh"

status=0
printf 'PCL XL input: %d MiB or more, %d runs per case\n' "$size_mib" "$runs"
for kind in images text pxljr; do
  big="$work/$kind.big"
  : > "$work/base.txt"
  : > "$work/filter.txt"
  for i in $(seq 1 "$runs"); do
    seconds "cat '$big' | cat > /dev/null" >> "$work/base.txt"
    seconds "cat '$big' | '$filter' -MPXL -p26 -d1 | cat > /dev/null" >> "$work/filter.txt"
  done
  base=$(median < "$work/base.txt")
  with=$(median < "$work/filter.txt")
  ratio=$(awk -v a="$with" -v b="$base" 'BEGIN { printf "%.2f", a / b }')
  verdict=ok
  awk -v r="$ratio" 'BEGIN { exit !(r > 2.0) }' && { verdict="ABOVE TARGET 2.0"; status=1; }
  printf 'PXL %-6s %4d MiB  cat|cat %7.3f s   cat|qorgsfilter|cat %7.3f s   ratio %s  %s\n' "$kind" \
    $(($(stat -c %s "$big") / 1048576)) "$(awk -v u="$base" 'BEGIN { print u / 1e6 }')" \
    "$(awk -v u="$with" 'BEGIN { print u / 1e6 }')" "$ratio" "$verdict"
  for input in "$work/$kind.pxl" "$big"; do
    rss=$(cat "$input" | "$gnu_time" -f '%M' -o "$work/rss" "$filter" -MPXL -p26 -d1 > /dev/null; cat "$work/rss")
    verdict=ok
    [ "$rss" -ge 8192 ] && { verdict="ABOVE TARGET 8192 KiB"; status=1; }
    printf 'max resident set PXL %-6s (%4d MiB): %5d KiB  %s\n' "$kind" \
      $(($(stat -c %s "$input") / 1048576)) "$rss" "$verdict"
  done
done
exit $status

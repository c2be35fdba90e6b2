#!/usr/bin/env bash
# The option pages' build time and the model chooser's listing, in one run
# on a private Xvfb, in the program itself (jarn-drive, "timed" steps):
#  - from the chooser's OK to both option panes built (open, mark, rows of
#    both panes, menus restored, constraints, display updated) over the
#    largest PPD of the project's set, of Debian's cups-filters and of
#    printer-driver-postscript-hp, against "cupstestppd -q" on the same file
#    as the floor. Target: within 3 times the floor.
#  - listPPD over 10,000 PPD files (copies of the project's set under
#    generated names, in a tree under the injected root), against
#    "find DIR -name '*.ppd*' | sort". Target: within 2 times.
# Medians of RUNS runs each.
#
#   bench/ppd_pages.sh [JARN-DRIVE] [RUNS]     (installs the packages as root)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
drive=$(realpath "${1:-$top/build/bin/jarn-drive}")
runs=${2:-7}
[ -x "$drive" ] || { echo "ppd_pages: no driver at $drive (build jarn-drive first)" >&2; exit 1; }
bash "$top/scripts/install-packages.sh" "$top/scripts/debian-packages.txt" "$top/scripts/debian-test-packages.txt"
. "$top/bench/bench_lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/jarn-bench-XXXXXX")
trap '"$top/tests/gui/cups-with-queues.sh" stop "$work/cups"; rm -rf "$work"' EXIT
# The program starts against a private CUPS daemon and its own work folder.
"$top/tests/gui/cups-with-queues.sh" start "$work/cups" >/dev/null
set -a; . "$work/cups/env"; set +a
"$(dirname "$drive")/jarnctl" info-create "$work/w" >/dev/null 2>&1

# The largest PPD of each source, uncompressed, under a class-bearing name.
largest() { ls -S "$@" | head -n 1; }
mkdir -p "$work/set" "$work/hp"
zcat -f "$(for f in "$top"/ppd/*.ppd*; do echo "$(zcat -f "$f" | wc -c) $f"; done | sort -n | tail -n 1 | cut -d' ' -f2)" \
  >"$work/set/Set-PS-en.ppd"
mkdir -p "$work/filters" && cp "$(largest /usr/share/ppd/cupsfilters/*.ppd)" "$work/filters/Filters-PS-en.ppd"
hp=/usr/lib/cups/driver/postscript-hp
"$hp" list | awk '{ print $1 }' | tr -d '"' | sort -t/ -k2 -u | nl -n ln | while read -r i uri; do
  "$hp" cat "$uri" >"$work/hp/$i.ppd" &
  if [ $((i % 8)) = 0 ]; then wait; fi
done
wait
cp "$(largest "$work"/hp/*.ppd)" "$work/hp/Hp-PS-en.ppd"

# The listing tree: 10,000 copies of the set under generated names.
lists=/usr/share/cups/model/Velta
mkdir -p "$work/root$lists"
i=0
while [ $i -lt 10000 ]; do
  for f in "$top"/ppd/*.ppd*; do
    name=$(basename "$f")
    cp "$f" "$work/root$lists/M$i-${name#*-}"
    i=$((i + 1))
  done
done

model() { zcat -f "$1" | tr -d '\r' | sed -n 's/^\*ModelName: *"\(.*\)".*/\1/p'; }
{
  echo "set printerType 1"
  for dir in set filters hp; do
    echo "set ppdSearchDir $work/$dir"
    echo "call showPpdFileBox"
    f=$(ls "$work/$dir"/*-PS-en.ppd)
    for _ in $(seq "$runs"); do echo "timed call chooseModel $(model "$f")"; done
  done
  echo "set fsRoot $work/root"
  echo "set ppdSearchDir $lists"
  for _ in $(seq "$runs"); do echo "timed call listPPD"; done
} >"$work/script"
(cd "$work" && "$top/tests/x11/with-xvfb.sh" "$drive" -W "$work/w" <"$work/script" >"$work/out" 2>"$work/err") ||
  { echo "ppd_pages: driver failed: $(tail -3 "$work/err")" >&2; exit 1; }

# The timed lines: a result, then the microseconds.
timing() { awk 'NR > 0' "$work/out" | grep -v '^0$' | paste - - | sed -n "$1" | cut -f2 | median; }
printf '%-12s %10s %10s %7s %s\n' source build_us floor_us ratio file
n=0
for dir in set filters hp; do
  f=$(ls "$work/$dir"/*-PS-en.ppd)
  built=$(timing "$((n * runs + 1)),$(((n + 1) * runs))p")
  floor=$(for _ in $(seq "$runs"); do seconds "cupstestppd -q '$f' >/dev/null 2>&1 || true"; done | median)
  printf '%-12s %10s %10s %7s %s (%s bytes)\n' "$dir" "$built" "$floor" \
    "$(awk -v a="$built" -v b="$floor" 'BEGIN { printf "%.2f", a / b }')" "$(model "$f")" "$(wc -c <"$f")"
  n=$((n + 1))
done
listed=$(timing "$((n * runs + 1)),$(((n + 1) * runs))p")
found=$(for _ in $(seq "$runs"); do seconds "find '$work/root$lists' -name '*.ppd*' | sort >/dev/null"; done | median)
printf '%-12s %10s %10s %7s %s\n' listing "$listed" "$found" \
  "$(awk -v a="$listed" -v b="$found" 'BEGIN { printf "%.2f", a / b }')" "10000 files, listPPD against find | sort"
echo "targets: build within 3x cupstestppd -q; listing within 2x find | sort"

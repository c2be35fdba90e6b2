#!/usr/bin/env bash
# PostScript through the filter, checked by Ghostscript: a document made with
# groff and its binary ps2write form pass byte for byte in PS and -xZ modes;
# in PSP mode only the feature blocks are added, the rendered pages equal the
# input's, and a prolog that defines the job-setting procedures shows the
# values the options asked for; the custom page-size fix sets the page size.
#   ps_ghostscript.sh /path/to/qorgsfilter /path/to/tests/ps/data
set -euo pipefail
filter=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
gsq() { gs -q -dSAFER -dBATCH -dNOPAUSE "$@"; }

# A five-page document from groff, and its binary ps2write form (NUL and ESC
# bytes, long lines).
{
  printf '.TL\nFilter test document\n.PP\n'
  for i in $(seq 1 400); do printf 'Paragraph %d of the sample text, long enough to wrap over the line. ' "$i"; [ $((i % 20)) = 0 ] && printf '\n.PP\n'; done
  printf '\n'
} > "$work/doc.ms"
groff -ms -Tps "$work/doc.ms" > "$work/doc.ps"
gsq -sDEVICE=ps2write -dASCII85EncodePages=false -dLastPage=2 -o "$work/bin.ps" "$work/doc.ps"
LC_ALL=C grep -a -q $'\x00' "$work/bin.ps" || fail "ps2write output holds no NUL byte"

render() {  # renders a PostScript file into pages named $2-N.pgm
  gsq -sDEVICE=pgmraw -r30 -o "$2-%d.pgm" "$1" > /dev/null
}
same_pages() {  # compares the renderings of two files
  rm -f "$work"/ra-*.pgm "$work"/rb-*.pgm
  render "$1" "$work/ra"; render "$2" "$work/rb"
  local n=0
  for a in "$work"/ra-*.pgm; do
    n=$((n + 1))
    cmp -s "$a" "${a/ra-/rb-}" || { fail "$3: page $n renders differently"; return; }
  done
  [ "$n" -gt 0 ] || fail "$3: no pages rendered"
  [ "$(ls "$work"/rb-*.pgm | wc -l)" = "$n" ] || fail "$3: page counts differ"
}

# 1. PS and -xZ: byte for byte (no header with -NOPJL).
for doc in doc bin; do
  "$filter" -MPS -NOPJL < "$work/$doc.ps" | cmp -s - "$work/$doc.ps" || fail "$doc: PS mode changed the data"
  "$filter" -MPS -NOPJL -xZ1 < "$work/$doc.ps" | cmp -s - "$work/$doc.ps" || fail "$doc: -xZ changed the data"
done
# With the header the data sits unchanged between header and trailer.
"$filter" -MPS < "$work/bin.ps" > "$work/out"
size=$(stat -c %s "$work/bin.ps")
grep -a -b -m1 -F '@PJL ENTER LANGUAGE=POSTSCRIPT' "$work/out" > "$work/at" || fail "no language line"
start=$(( $(cut -d: -f1 "$work/at") + 31 ))
cmp -s -n "$size" -i "$start:0" "$work/out" "$work/bin.ps" || fail "bin: PS mode with header changed the data"

# 2. PSP: the input with the blocks after its header comments, nothing else.
block_for_mailbox9='%%BeginFeature: *Destination
/XJXsetDevice where { pop 2 XJXsetDevice } if
%%EndFeature
%%BeginFeature: *Mailbox 9
/XJXsetMailboxString where { pop (9) XJXsetMailboxString } if
%%EndFeature'
for doc in doc bin; do
  "$filter" -MPSP -u alice -BB9 < "$work/$doc.ps" > "$work/$doc.psp"
  line=$(grep -a -b -m1 -x -F '%%EndComments' "$work/$doc.ps" | cut -d: -f1)
  at=$((line + 14))
  { head -c "$at" "$work/$doc.ps"; printf '%s\n' "$block_for_mailbox9"; tail -c +$((at + 1)) "$work/$doc.ps"; } > "$work/want"
  cmp -s "$work/$doc.psp" "$work/want" || fail "$doc: PSP output is not the input plus the blocks"
  same_pages "$work/$doc.ps" "$work/$doc.psp" "$doc PSP"
done

# 3. The prolog shows what the job settings procedures receive.
cat > "$work/prolog.ps" <<'PS'
userdict begin
/XJXsetDevice { (DEVICE=) print = } def
/XJXsetMailboxString { (MAILBOX=) print = } def
/XJXsetProofPrint { (PROOF=) print = } def
/XJXsetUserID { (USERID=) print = } def
/XJXsetUserPWD { (USERPWD=) print = } def
/XJXsetSecurePasswd { (SECUREPASSWD=) print = } def
end
PS
shows() {  # the procedures' output for the filter run with the options
  "$filter" -MPSP "$@" < "$work/doc.ps" > "$work/job.ps"
  gsq -sDEVICE=nullpage "$work/prolog.ps" "$work/job.ps" | grep -a '=' | tr '\n' ' '
}
got=$(shows -u alice -BB9); [ "$got" = "DEVICE=2 MAILBOX=9 " ] || fail "mailbox job shows '$got'"
got=$(shows -u alice -SPW=0815); [ "$got" = "DEVICE=3 SECUREPASSWD=815 " ] || fail "secure job shows '$got'"
got=$(shows -UID=0012 -UPW=77); [ "$got" = "DEVICE=0 USERID=12 USERPWD=77 " ] || fail "account job shows '$got'"
got=$(shows -A3 -BB=1,4 -BB=2,2); [ "$got" = "DEVICE=2 MAILBOX=42 " ] || fail "mailbox digits job shows '$got'"

# 4. The custom page-size fix sets an A4 page for a near-A4 ArtBox.
"$filter" -MPS -NOPJL -xZ1 < "$data/custom-size.ps" > "$work/fixed.ps"
got=$(gsq -sDEVICE=nullpage "$work/fixed.ps" | tr -d '\n')
[ "$got" = "[595.0 842.0]" ] || fail "custom size: page size '$got'"
grep -a -q -x -F '%%DocumentSuppliedFeatures: *CustomPageSize False' "$work/fixed.ps" || fail "custom size: supplied-features line"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "ps_ghostscript: all checks passed"

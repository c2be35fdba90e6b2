#!/usr/bin/env bash
# The filter as the printing system runs it: header, data and trailer bytes
# on standard output, the repeat and no-PJL variants in each work mode,
# input arriving in pieces, a full output device, the usage text, and the
# mailbox and PPD found through the environment.
#   filter_cli.sh /path/to/qorgsfilter
set -euo pipefail
filter=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

esc=$'\x1b'
header_line="${esc}%-12345X@PJL Jarn2.0-10 i386"

# 1. The job's bytes unchanged between header and trailer.
printf 'hello' | "$filter" -MPCL > "$work/out"
printf '%s\n@PJL ENTER LANGUAGE=PCL\nhello%s%%-12345X@PJL\n%s%%-12345X\n' "$header_line" "$esc" "$esc" > "$work/want"
cmp -s "$work/out" "$work/want" || fail "hello job: $(od -c "$work/out" | head -5)"

# 2. The usage text goes to standard error, exit 0, nothing on stdout.
if "$filter" -h > "$work/out" 2> "$work/err"; then
  [ -s "$work/out" ] && fail "-h wrote on standard output"
  grep -q '^Usage: qorgsfilter \[options\]\.$' "$work/err" || fail "-h usage line missing"
  grep -q '2.0-10 i386' "$work/err" || fail "-h version missing"
  grep -q '^-Wx : set wideA4 mode to x \[0\]\.$' "$work/err" || fail "-h last line missing"
  grep -q '^-Mx : .* \[PCL5 without ENTER LANGUAGE\]\.$' "$work/err" || fail "-h does not name the default mode"
else
  fail "-h exit status $?"
fi

# 3. Repeat matrix: headers, trailers and data copies for each mode.
count() { grep -a -o -F -- "$1" "$2" | wc -l || true; }
printf 'DATA-BLOCK\n%.0s' $(seq 1 2000) > "$work/job"   # 22000 bytes
job_bytes=$(stat -c %s "$work/job")
psp_block_bytes=$(printf '%%%%BeginFeature: *Destination\n/XJXsetDevice where { pop 0 XJXsetDevice } if\n%%%%EndFeature\n' | wc -c)
for mode in "" -MPCL -MPS -MPXL -MPSP; do
  for repeat in "" "-xR2" "-xR2 -xQ3"; do
    for nopjl in "" "-NOPJL"; do
      # shellcheck disable=SC2086
      "$filter" $mode $repeat $nopjl < "$work/job" > "$work/out" || fail "exit $? for '$mode $repeat $nopjl'"
      copies=1
      [ "$repeat" = "-xR2" ] && copies=2
      [ "$repeat" = "-xR2 -xQ3" ] && copies=3
      headers=$copies
      if [ "$mode" = "-MPSP" ]; then
        headers=0
      elif [ -n "$nopjl" ]; then
        headers=0; copies=1
      fi
      got_headers=$(count "@PJL Jarn" "$work/out")
      got_copies=$(count "DATA-BLOCK" "$work/out")
      got_pjl_trailers=$(grep -a -c -x -F -- "${esc}%-12345X@PJL" "$work/out" || true)
      want_pjl_trailers=$headers
      [ -z "$mode" ] && want_pjl_trailers=0
      [ "$got_headers" = "$headers" ] || fail "'$mode $repeat $nopjl': $got_headers headers, want $headers"
      [ "$got_copies" = $((copies * 2000)) ] || fail "'$mode $repeat $nopjl': $((got_copies / 2000)) copies, want $copies"
      [ "$got_pjl_trailers" = "$want_pjl_trailers" ] || fail "'$mode $repeat $nopjl': $got_pjl_trailers PJL trailers, want $want_pjl_trailers"
      if [ "$headers" = 0 ]; then
        # PSP puts the print-destination block in front of a job without
        # header comments, once per copy.
        extra=0
        [ "$mode" = "-MPSP" ] && extra=$psp_block_bytes
        [ "$(stat -c %s "$work/out")" = $((copies * (job_bytes + extra))) ] || fail "'$mode $repeat $nopjl': extra bytes without header"
      fi
    done
  done
done
# Each copy of a repeated job is the same bytes.
"$filter" -MPCL -xR3 < "$work/job" > "$work/out"
size=$(($(stat -c %s "$work/out") / 3))
head -c "$size" "$work/out" > "$work/one"
for i in 1 2; do
  cmp -s -n "$size" -i "0:$((i * size))" "$work/one" "$work/out" || fail "replay $i differs"
done

# 4. The repeat copy leaves nothing behind in TMPDIR.
mkdir "$work/tmp"
TMPDIR="$work/tmp" "$filter" -xR2 < "$work/job" > /dev/null
[ -z "$(ls -A "$work/tmp")" ] || fail "repeat copy left files: $(ls -A "$work/tmp")"
# No usable TMPDIR: one pass and the message.
TMPDIR="$work/missing" "$filter" -MPCL -xR2 < "$work/job" > "$work/out" 2> "$work/err" || fail "no TMPDIR: exit $?"
grep -q 'Cannont create temporary file!' "$work/err" || fail "no TMPDIR: message missing"
[ "$(count "DATA-BLOCK" "$work/out")" = 2000 ] || fail "no TMPDIR: not a single pass"

# 5. Input in pieces with pauses (short reads from a pipe).
# No ESC bytes: the PCL road would rightly drop a second reset in them.
head -c 3100000 /dev/urandom | tr -d '\033' > "$work/random-all"
head -c 3000000 "$work/random-all" > "$work/random"
(head -c 100 "$work/random"; sleep 0.2; head -c 70000 "$work/random" | tail -c +101; sleep 0.2
 tail -c +70001 "$work/random") | "$filter" -NOPJL > "$work/out"
cmp -s "$work/out" "$work/random" || fail "short reads lost data"

# 6. A full output device is a failure, not a silent truncated job.
if "$filter" -MPCL < "$work/random" > /dev/full 2> "$work/err"; then
  fail "/dev/full: exit 0"
else
  rc=$?
  [ "$rc" = 1 ] || fail "/dev/full: exit $rc, want 1"
  grep -q 'standard output' "$work/err" || fail "/dev/full: no message ($(cat "$work/err"))"
fi
if "$filter" -MPCL -xR2 < "$work/random" > /dev/full 2>/dev/null; then fail "/dev/full repeat: exit 0"; fi
# The same for the repeat copy: a file size limit makes its writes fail.
rm -rf "$work/tmp"; mkdir "$work/tmp"
if (trap '' XFSZ; ulimit -f 100; TMPDIR="$work/tmp" exec "$filter" -MPCL -xR2 < "$work/random" > /dev/null 2> "$work/err"); then
  fail "full temporary file: exit 0"
else
  grep -q 'the temporary file' "$work/err" || fail "full temporary file: no message ($(cat "$work/err"))"
fi

# 7. Mailbox file and PPD through the environment.
mkdir -p "$work/data/Q7/root"
printf '%-14s  m=N12P     p=N4321      u=N000777    s=Npw        \n' alice > "$work/data/Q7/root/JarnMailBoxFile"
printf '%-14s  m=N3       \n' root >> "$work/data/Q7/root/JarnMailBoxFile"
printf '*PPD-Adobe: "4.3"\n*ModelName: "Velta C400 PCL"\n' > "$work/q7.ppd"
printf 'x' | JARNDATADIR="$work/data" PRINTER=Q7 PPD="$work/q7.ppd" TITLE="Budget 2027" SERVER_ADMIN=ops@hq.example \
  "$filter" -ualice -E1 -D1 > "$work/out" 2> "$work/err"
for want in '@PJL COMMENT VELPJL SET USERNAME="alice@hq"' \
            '@PJL COMMENT VELPJL SET DOCNAME="Budget 2027!alice@hq"' \
            '@PJL COMMENT VELPJL SET MAILBOXNUMBER=12' \
            '@PJL COMMENT VELPJL SET USERID=000777' \
            '@PJL COMMENT VELPJL SET USERPWD=pw' \
            '@PJL COMMENT VELPJL SET SECUREPASSWD=4321' \
            '@PJL COMMENT VELTADEVID=4'; do
  grep -a -q -x -F -- "$want" "$work/out" || fail "environment job: missing '$want'"
done
grep -q "^getMAILBOX($work/data/Q7/root/JarnMailBoxFile)\$" "$work/err" || fail "mailbox trace missing"
grep -q "^PRINTER    = 'Q7'\$" "$work/err" || fail "environment trace missing"
printf 'x' | JARNDATADIR="$work/data" PRINTER=Q7 "$filter" -ubob > "$work/out"
grep -a -q -x -F '@PJL COMMENT VELPJL SET MAILBOXNUMBER=3' "$work/out" || fail "root's mailbox not used for bob"

# 8. Hostile values: an unknown -M value is named once and the mode kept;
# the lowest int as a registration offset (no undefined negation: the
# sanitizer build stops on one) and numbers beyond the int range.
"$filter" -MPCL -MMPCL -r-2147483648,5 -Q99999999999 -xR4294967298 < /dev/null > "$work/out" 2> "$work/err" ||
  fail "hostile numbers: exit $?"
[ "$(cat "$work/err")" = 'Unknown work mode "MPCL" ignored.' ] || fail "hostile numbers: stderr $(cat "$work/err")"
grep -a -q -x -F '@PJL ENTER LANGUAGE=PCL' "$work/out" || fail "-MMPCL changed the mode"
grep -a -q -x -F '@PJL SET DENSITY=0' "$work/out" || fail "-Q beyond the int range not read as 0"
[ "$(count "@PJL Jarn" "$work/out")" = 1 ] || fail "-xR beyond the int range repeated the job"
"$filter" -MPCL -r-2147483648,5 < /dev/null > /dev/null 2> "$work/err" && [ ! -s "$work/err" ] ||
  fail "INT_MIN registration: $(cat "$work/err")"

# 9. A 200 MB input header: resident memory stays flat, at most the fixed
# number of its lines is carried, the cut is named once, the data passes.
{ printf '%s%%-12345X' "$esc"; yes '@PJL SET COPIES=1' | head -n 11111112 || true  # 200 MB
  printf '@PJL ENTER LANGUAGE=PCL\n%sEpage' "$esc"; } |
  /usr/bin/time -v -o "$work/time" "$filter" -MPCL > "$work/out" 2> "$work/err" || fail "200 MB header: exit $?"
rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
limit=4096
grep -q -a __asan_init "$filter" && limit=32768  # the sanitizers' own memory (about 20 MiB)
[ -n "$rss" ] && [ "$rss" -lt "$limit" ] || fail "200 MB header: maximum resident set $rss KiB"
[ "$(grep -a -c -x -F '@PJL SET COPIES=1' "$work/out")" = 256 ] || fail "200 MB header: not 256 lines carried"
[ "$(grep -c 'passed over' "$work/err")" = 1 ] || fail "200 MB header: cut not named once: $(head -3 "$work/err")"
grep -a -q -F "${esc}Epage${esc}%-12345X@PJL" "$work/out" || fail "200 MB header: the data did not pass"
[ "$(stat -c %s "$work/out")" -lt 20000 ] || fail "200 MB header: output of $(stat -c %s "$work/out") bytes"

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "filter_cli: all checks passed"

#!/usr/bin/env bash
# The real print path: a private CUPS daemon with a queue whose PPD runs
# qorgsfilter through foomatic-rip, and whose device is a socket:// listener
# on 127.0.0.1. A document printed with lp must reach the device behind our
# PJL header, carrying the job's user and title, and followed by the
# trailer. A queue of the PPD set whose secured-print and account values are
# its defaults, as the option pages set them, prints them in the header.
# Needs root (cupsd); exits 77 (skipped) otherwise.
#   filter_print_path.sh /path/to/qorgsfilter /path/to/private-cupsd.sh /path/to/ppd-set
set -euo pipefail
filter=$1
harness=$2
ppdset=$3
if [ "$(id -u)" != 0 ]; then
  echo "filter_print_path: needs root, skipped"
  exit 77
fi
for tool in cupsd lp lpadmin nc foomatic-rip; do
  command -v "$tool" > /dev/null || { echo "filter_print_path: no $tool, skipped"; exit 77; }
done

base=$(mktemp -d)
chmod 0755 "$base"
listener=
cleanup() {
  if [ -n "$listener" ]; then kill "$listener" 2>/dev/null || true; fi
  bash "$harness" stop "$base/cups" || true
  rm -rf "$base"
}
trap cleanup EXIT

# The filter as lp sees it: a copy in a root-owned, not group/world-writable
# folder of the tree.
mkdir -m 0755 "$base/bin"
install -m 0755 "$filter" "$base/bin/qorgsfilter"

# The header names the host of the server administrator's address.
CUPSD_EXTRA_CONF="ServerAdmin ops@printhost.example" bash "$harness" start "$base/cups"
eval "$(bash "$harness" env "$base/cups")"

# The device: a listener that appends every connection's bytes to a file.
port=$(bash "$harness" free-port)
: > "$base/device.out"
nc -lk 127.0.0.1 "$port" >> "$base/device.out" &
listener=$!

cat > "$base/velta.ppd" <<PPD
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "VELTAC4.PPD"
*Manufacturer: "Velta"
*Product: "(Velta C400)"
*ModelName: "Velta C400 PS"
*ShortNickName: "Velta C400 PS"
*NickName: "Velta C400 PS"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/vnd.cups-postscript 0 foomatic-rip"
*FoomaticRIPCommandLine: "$base/bin/qorgsfilter -MPS -D1 -E1 -u&user; -V'&title;'"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
PPD

lpadmin -p velta -E -v "socket://127.0.0.1:$port" -P "$base/velta.ppd" 2> "$base/lpadmin.err" || {
  cat "$base/lpadmin.err" >&2
  exit 1
}

cat > "$base/doc.ps" <<'PS'
%!PS-Adobe-3.0
%%Pages: 1
%%EndComments
%%Page: 1 1
/Helvetica findfont 24 scalefont setfont
72 720 moveto (print path marker) show
showpage
%%EOF
PS

# foomatic-rip strips the title's quotes and shell characters; in single
# quotes (as in the PPD set) what is left stays one word, the filter's -V.
title='Q3 "plan"; $(id)'
user=jdoe
esc=$'\x1b'
# Prints the document on queue $1 with title $2; waits until the job is done
# and the device has the trailer.
print_doc() {
  lp -d "$1" -U "$user" -t "$2" "$base/doc.ps" > "$base/lp.out"
  job=$(sed -n "s/.*request id is \\($1-[0-9]*\\).*/\\1/p" "$base/lp.out")
  [ -n "$job" ] || { echo "no job id: $(cat "$base/lp.out")" >&2; exit 1; }
  for i in $(seq 1 300); do
    if ! lpstat -o "$1" 2>/dev/null | grep -q "^$job "; then
      if grep -a -q -x -F "${esc}%-12345X" "$base/device.out"; then break; fi
    fi
    sleep 0.1
  done
}
print_doc velta "$title"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
head -c 30 "$base/device.out" | cmp -s - <(printf '%s%%-12345X@PJL Jarn2.0-10 i386\n' "$esc") ||
  fail "the device data does not begin with our header: $(head -c 80 "$base/device.out" | od -c | head -3)"
job_user=$(lpstat -W completed -o velta | awk -v j="$job" '$1 == j { print $2 }')
[ -n "$job_user" ] || job_user=$user
grep -a -q -x -F "@PJL COMMENT VELPJL SET USERNAME=\"$job_user@printhost\"" "$base/device.out" ||
  fail "no USERNAME line for $job_user"
grep -a -q -x -F "@PJL COMMENT VELPJL SET DOCNAME=\"Q3 plan id!$job_user@printhost\"" "$base/device.out" ||
  fail "no DOCNAME line for $title"
grep -a -q -x -F '@PJL COMMENT VELTADEVID=4' "$base/device.out" || fail "the queue's PPD did not give the model"
grep -a -q -x -F '@PJL ENTER LANGUAGE=POSTSCRIPT' "$base/device.out" || fail "no language line"
grep -a -q -F '(print path marker) show' "$base/device.out" || fail "the document is not in the device data"
tail -c 24 "$base/device.out" | cmp -s - <(printf '%s%%-12345X@PJL\n%s%%-12345X\n' "$esc" "$esc") ||
  fail "the device data does not end with the trailer"

sed "s|\"qorgsfilter |\"$base/bin/qorgsfilter |" "$ppdset/Velta-C400-PS-en.ppd" > "$base/office.ppd"
lpadmin -p office -E -v "socket://127.0.0.1:$port" -P "$base/office.ppd"
lpadmin -p office -o SecuredPassword=Custom.1234 -o UserID=Custom.42 -o UserPassword=Custom.555
cp "$base/device.out" "$base/first.out"
: > "$base/device.out"
# The document name holds 32 bytes: the cut falls inside the last character.
print_doc office "Grüße Bericht € 日本 日本"
for want in SECUREPASSWD=1234 USERID=42 USERPWD=555 "DOCNAME=\"Grüße Bericht € 日本 日\""; do
  grep -a -q -x -F "@PJL COMMENT VELPJL SET $want" "$base/device.out" || fail "office: no $want line"
done
if [ "$failures" -gt 0 ]; then
  echo "--- first job's device data" >&2; head -c 2000 "$base/first.out" >&2
  echo "--- device data" >&2; head -c 2000 "$base/device.out" >&2 || true
  echo "--- error_log" >&2; grep -E 'qorgsfilter|foomatic|\[Job' "$base/cups/log/error_log" | tail -40 >&2 || true
  exit 1
fi
echo "filter_print_path: $job reached the device as user $job_user"

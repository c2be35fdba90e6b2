# The inside of bench/print_path.sh (a benchmark, not a test): run by
# sandbox.sh with the number of runs.
. /mnt/w/tests/installer/in-sandbox.sh || exit 99  # fails closed outside the sandbox
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
runs=${1:-3}
install_stubs
start_daemon
copy_release
printf 'y\n' | /tmp/rel/setup >/dev/null 2>&1 || { echo "setup failed" >&2; exit 1; }
ppd=/usr/share/ppd/bry/Velta-P4700-XL-en.ppd
sed 's/ | qorgsfilter [^"]*"/"/' $ppd >/tmp/plain.ppd
port=9190
lpadmin -p office -E -v socket://127.0.0.1:$port -P $ppd -o Duplex=DuplexNoTumble 2>/dev/null
lpadmin -p plain -E -v socket://127.0.0.1:$port -P /tmp/plain.ppd 2>/dev/null
# 420 pages of an 8-bit image: Ghostscript passes the image data through.
printf '%%!PS\n/row 600 string def\n0 1 599 { row exch dup 13 mul 251 mod put } for\n1 1 420 { pop
  gsave 36 36 translate 540 720 scale 600 800 8 [600 0 0 800 0 0] { row } image grestore showpage } for\n' >/tmp/doc.ps
chmod 0644 /tmp/doc.ps
# Prints the milliseconds from submission until the listener has it all.
print_ms() {
  nc -d -l 127.0.0.1 $port >/tmp/got &
  local nc_pid=$! start end
  sleep 0.3
  start=$(date +%s%N)
  lp -d "$1" -o document-format=application/vnd.cups-postscript /tmp/doc.ps >/dev/null
  wait $nc_pid
  end=$(date +%s%N)
  echo $(((end - start) / 1000000)) >>"/tmp/$1.ms"
  echo "$1: $(((end - start) / 1000000)) ms, $(stat -c %s /tmp/got) bytes" >&2
}
for _ in $(seq 1 "$runs"); do print_ms office; print_ms plain; done
o=$(median </tmp/office.ms) p=$(median </tmp/plain.ms)
gs -q -dBATCH -dSAFER -dNOPAUSE -sPAPERSIZE=a4 -sDEVICE=pxlmono -r600 -sOutputFile=/tmp/doc.pxl /tmp/doc.ps
rss=$(/usr/bin/time -f %M /opt/bry/bin/qorgsfilter -MPXL -d1 -ualice </tmp/doc.pxl 2>&1 >/dev/null | tail -1)
echo "office $o ms, plain $p ms, ratio $(awk -v a="$o" -v b="$p" 'BEGIN { printf "%.2f", a / b }') (target 1.3)"
echo "qorgsfilter maximum resident set: $rss KiB (target under 8192)"

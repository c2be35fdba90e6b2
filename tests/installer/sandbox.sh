#!/usr/bin/env bash
# Runs a test script as root in private namespaces, never on the host:
#
#   tests/installer/sandbox.sh RELEASE SCRIPT [ARGS...]
#
# RELEASE (a release directory) and the tests/ directory are bound at
# /mnt/w/release and /mnt/w/tests before anything is covered; then /usr,
# /etc and /var become overlays whose changes go to a tmpfs, /opt, /run,
# /root, /home, /srv, /tmp and /var/tmp become empty tmpfs, /dev holds only
# null, zero, full, urandom and fd, the loopback link is up (no other
# network) and the umask is 022. The marker /run/jarn-sandbox is made last.
# SCRIPT (a file under tests/) then runs as /mnt/w/tests/... with ARGS.
# Exit status: SCRIPT's; 77 (skipped) when unshare or an overlay is
# refused (not root, or a container that forbids it).
set -uo pipefail

if [ "${1:-}" != --inside ]; then
  [ $# -ge 2 ] || { echo "usage: $0 RELEASE SCRIPT [ARGS...]" >&2; exit 2; }
  tests=$(cd "$(dirname "$0")/.." && pwd)
  release=$(cd "$1" && pwd) || exit 2
  script=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  case $script in
    "$tests"/*) ;;
    *) echo "$0: $2 is not under $tests" >&2; exit 2 ;;
  esac
  shift 2
  if [ "$(id -u)" != 0 ] || ! unshare --mount --net --pid --fork --mount-proc --propagation private true 2>/dev/null; then
    echo "$0: unshare refused; skipped" >&2
    exit 77
  fi
  exec unshare --mount --net --pid --fork --mount-proc --propagation private \
    bash "$tests/installer/sandbox.sh" --inside "$release" "$tests" "${script#"$tests"/}" "$@"
fi

# Inside the namespaces.
release=$2 tests=$3 script=$4
shift 4
set -e
mount -t tmpfs -o mode=0755 jarn-w /mnt
mkdir -p /mnt/w/release /mnt/w/tests /mnt/ov
mount --bind "$release" /mnt/w/release
mount --bind "$tests" /mnt/w/tests
for d in usr etc var; do
  mkdir -p "/mnt/ov/$d/up" "/mnt/ov/$d/work"
  if ! mount -t overlay overlay -o "lowerdir=/$d,upperdir=/mnt/ov/$d/up,workdir=/mnt/ov/$d/work" "/$d"; then
    echo "sandbox.sh: overlay on /$d refused; skipped" >&2
    exit 77
  fi
done
for d in /opt /run /root /home /srv /tmp /var/tmp; do
  mkdir -p "$d"
  mount -t tmpfs -o mode=0755 jarn-tmp "$d"
done
chmod 1777 /tmp /var/tmp
mount -t tmpfs -o mode=0755 jarn-dev /dev
for n in null:3 zero:5 full:7 urandom:9; do
  mknod -m 0666 "/dev/${n%%:*}" c 1 "${n##*:}"
done
ln -s /proc/self/fd /dev/fd
ip link set lo up
umask 022
touch /run/jarn-sandbox
set +e
cd /
bash "/mnt/w/tests/$script" "$@"

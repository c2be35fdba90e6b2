#!/usr/bin/env bash
# Installs the Debian packages listed in the given files that are not yet
# installed (as root, without recommends). Does nothing when all are there.
set -euo pipefail
packages=$(sed -e 's/#.*//' "$@" | tr -s ' \t' '\n\n' | sed '/^$/d' | sort -u)
missing=()
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "install-packages: these packages are missing and need root: ${missing[*]}" >&2
  exit 1
fi
echo "install-packages: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Fails when the given program needs an X or Motif library.
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
if printf '%s\n' "$needed" | grep -E '^lib(X|Xm|Xt|Xpm|Xext|xcb)' ; then
  echo "FAIL: $1 links X or Motif libraries" >&2
  exit 1
fi
echo "ok: no X or Motif library in $1"

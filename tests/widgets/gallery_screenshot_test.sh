#!/usr/bin/env bash
# Runs the widget gallery on the display of with-xvfb.sh, takes screenshots
# (for a person to look at, in the given folder) and checks what they show:
# the index tabs and the counters, then a tool tip with its blue border
# after the pointer rests on a button.
#
#   gallery_screenshot_test.sh GALLERY OUTPUT_DIR
set -eu
gallery=$1
out=$2
mkdir -p "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }
pid=
stop() { if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi; }
trap stop EXIT

# The first mapped override-redirect window on the root: the tool tip (the
# gallery's popup menus are not mapped).
tip_window() {
  local id info
  for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
    info=$(xwininfo -id "$id")
    if grep -q 'Override Redirect State: yes' <<<"$info" && grep -q 'Map State: IsViewable' <<<"$info" &&
       grep -q 'Class: InputOutput' <<<"$info"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# Colours of a screenshot, one "#RRGGBB" per line.
colours() { convert "$1" -format %c histogram:info:- | grep -o '#[0-9A-F]\{6\}' | sort -u; }

"$gallery" &
pid=$!
xdotool search --sync --onlyvisible --classname widgetGallery >/dev/null
sleep 1
import -window root "$out/gallery.png"
stop
pid=
colours "$out/gallery.png" >"$out/gallery.colours"
grep -qx '#999999' "$out/gallery.colours" || fail "no gray60 tabs in the gallery"
grep -qx '#FFFFFF' "$out/gallery.colours" || fail "no white tab text in the gallery"

"$gallery" -point applyPB &
pid=$!
xdotool search --sync --onlyvisible --classname widgetGallery >/dev/null
tip=
for _ in $(seq 1 50); do
  if tip=$(tip_window); then break; fi
  sleep 0.1
done
[ -n "$tip" ] || fail "no tool tip window"
sleep 0.3
import -window root "$out/tooltip.png"
xwininfo -id "$tip" >"$out/tooltip.xwininfo"
stop
pid=
colours "$out/tooltip.png" >"$out/tooltip.colours"
grep -qx '#0000FF' "$out/tooltip.colours" || fail "no blue tip border in the screenshot"
grep -q 'Border width: 3' "$out/tooltip.xwininfo" || fail "tip border is not 3 pixels"
echo "ok: screenshots in $out"

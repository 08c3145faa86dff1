#!/bin/bash
# Screenshots of the command forms and the editor windows at scale 1 and 2 on a private
# 1280x800 display with a window manager: take-shots.sh <window_shots binary> [folder] [name part]
# The PNGs go to the folder (default /tmp/shots/scale1 and /tmp/shots/scale2), never into the
# repository.
set -euo pipefail
tool=$1
folder=${2:-/tmp/shots}
only=${3:-}
fifo=$(mktemp -u /tmp/shots-xvfb.XXXXXX)
mkfifo -m 600 "$fifo"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r -t 30 number <"$fifo"
rm -f "$fifo"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
for scale in 1 2; do
  mkdir -p "$folder/scale$scale"
  QT_SCALE_FACTOR=$scale "$tool" "$folder/scale$scale" "$only" | sed "s/^/scale $scale: /"
done

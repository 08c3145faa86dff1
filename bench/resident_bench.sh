#!/usr/bin/env bash
# Resident program benchmark: orvanta against a 500-macro file on a private Xvfb display with
# openbox (started and stopped here), side by side with a peer desktop macro program (Debian's
# autokey-gtk, installed here when missing and configured by the benchmark with the same
# phrases): start-up, hotkeys held on the server's keyboard, ShortKeys, a long phrase into a Qt
# text field, memory, idle processor time, each with the peer's figure and the ratio.
#   bench/resident_bench.sh [--macros N] [--starts N] [--presses N] [--bursts N] [--shortkeys N]
#                           [--phrases N] [--menus N] [--floors N] [--idle SECONDS] [--trace FILE]
#                           [--no-peer]
# BUILD_DIR chooses the build directory (default build/bench); ORVANTA_BENCH_RESIDENT=PATH measures
# another build of the program (to compare two in one sitting).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/bench}
args=()
peer=autokey-gtk
for a in "$@"; do
  if [ "$a" = --no-peer ]; then peer=; else args+=("$a"); fi
done
if [ -n "$peer" ] && ! command -v "$peer" >/dev/null 2>&1; then
  # The peer and the session bus it is started under; never part of the project's own setup.
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq autokey-gtk dbus >/dev/null
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_BENCH=ON >/dev/null
cmake --build "$build" --target x11_resident_bench -j 2
unset DISPLAY
source scripts/xvfb-session
xvfb_session_start
if [ -n "$peer" ]; then args+=(--peer "$peer"); fi
"$build/bench/x11/x11_resident_bench" "${args[@]}"

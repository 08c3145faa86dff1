#!/usr/bin/env bash
# Resident program benchmark: orvanta against a 500-macro file on a private Xvfb display with
# openbox (started and stopped here); hotkey and ShortKey latency at a bare receiving window,
# chords in one burst, memory, idle processor time, start-up.
#   bench/resident_bench.sh [--macros N] [--starts N] [--presses N] [--bursts N] [--shortkeys N]
#                           [--idle SECONDS] [--trace FILE]
# BUILD_DIR chooses the build directory (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_BENCH=ON >/dev/null
cmake --build "$build" --target x11_resident_bench -j 2
unset DISPLAY
source scripts/xvfb-session
xvfb_session_start
"$build/bench/x11/x11_resident_bench" "$@"

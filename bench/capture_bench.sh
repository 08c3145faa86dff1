#!/usr/bin/env bash
# Capture benchmark: key press to the capture file, and processor time while recording, on a
# private Xvfb display with openbox (started and stopped here).
#   bench/capture_bench.sh [--keys N] [--seconds S]
# BUILD_DIR chooses the build directory (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_BENCH=ON >/dev/null
cmake --build "$build" --target x11_capture_bench -j 2
unset DISPLAY
source scripts/xvfb-session
xvfb_session_start private
"$build/bench/x11/x11_capture_bench" "$@"

#!/usr/bin/env bash
# Typing benchmark: the engine through the X11 platform against `xdotool type --delay 0`, on a
# private Xvfb display with openbox (started and stopped here).
#   bench/typing_bench.sh [--rounds N] [--phrase-runs N] [--keep DIR]
# BUILD_DIR chooses the build directory (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_BENCH=ON >/dev/null
cmake --build "$build" --target x11_typing_bench -j 2
unset DISPLAY
source scripts/xvfb-session
xvfb_session_start
"$build/bench/x11/x11_typing_bench" "$@"

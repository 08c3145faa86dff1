#!/usr/bin/env bash
# Typing benchmark on Wayland: orvanta-cli play --live against wtype, into a Qt window on a
# private headless sway (started and stopped here). wtype is installed here for the comparison
# alone; nothing else needs it.
#   bench/wayland_typing_bench.sh [--chars N] [--rounds N]
# BUILD_DIR chooses the build directory (default build/ci).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/ci}
if ! command -v wtype >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends wtype >/dev/null
fi
cmake --build "$build" --target wayland_typing_bench -j 2
source scripts/sway-session
sway_session_start
"$build/bench/wayland_typing_bench" "$@"

#!/usr/bin/env bash
# The window's start-up time: from launching panscout (against the demo
# services) to the first paint of its start window, then it quits.
#   bench/window_startup.sh [ROUNDS]    (default 5; prints the median)
# Runs on QT_QPA_PLATFORM (default offscreen); for a real X server:
#   xvfb-run -a env QT_QPA_PLATFORM=xcb bench/window_startup.sh
# BUILD_DIR (default build) holds panscout and panscout-demo.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-5}
. bench/demo_services.sh
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Qt WebEngine refuses its sandbox when run as root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1

start_demo
paint_ms=() exit_ms=()
for ((round = 0; round < ROUNDS; round++)); do
  launch=$(date +%s%N)
  line=$(PANSCOUT_EXIT_AFTER_FIRST_PAINT=$launch "$BUILD_DIR/panscout" --hosts "$HOSTS_FILE" 2>/dev/null |
    sed -n 's/^first paint \([0-9.]*\) ms after launch$/\1/p')
  exit_ms+=($((($(date +%s%N) - launch) / 1000000)))
  [ -n "$line" ] || { echo "panscout did not report its first paint" >&2; exit 1; }
  paint_ms+=("$line")
done
echo "panscout start-up on $QT_QPA_PLATFORM, median of $ROUNDS runs (all: ${paint_ms[*]} ms)"
echo "launch to first paint of the start window: $(median "${paint_ms[@]}") ms"
echo "launch to exit after that paint:           $(median "${exit_ms[@]}") ms"

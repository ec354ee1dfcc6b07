#!/usr/bin/env bash
# Builds the benchmarks (Release with debug info, in BUILD_DIR, default build)
# and runs every one of them; docs/performance.md explains the figures.
#   bench/run_all.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$BUILD_DIR" -j 2 --target panscout_bench panscout_bench_pages panscout_pump_latency_bench \
  panscout-cli panscout-demo panscout

section() { printf '\n== %s\n' "$1"; }
section "page steps against Python re"
python3 bench/page_steps_vs_python.py --build "$BUILD_DIR"
section "50-page search: panscout-cli against curl"
bench/cli_vs_curl.sh
section "event pump latency during a fetch"
"$BUILD_DIR/panscout_pump_latency_bench"
section "window start-up"
bench/window_startup.sh
if command -v xvfb-run >/dev/null; then
  xvfb-run -a env QT_QPA_PLATFORM=xcb bench/window_startup.sh
fi
section "peak memory of a 50-page search"
bench/cli_peak_memory.sh

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

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
section() { printf '\n== %s\n' "$1"; }
section "page steps against Python re"
python3 bench/page_steps_vs_python.py --build "$BUILD_DIR" | tee "$out/pages"
section "50-page search: panscout-cli against curl"
bench/cli_vs_curl.sh | tee "$out/curl"
section "seven sources at once, one slowed"
bench/multi_source.sh | tee "$out/multi"
section "event pump latency during a fetch"
"$BUILD_DIR/panscout_pump_latency_bench"
section "window start-up"
bench/window_startup.sh
if command -v xvfb-run >/dev/null; then
  xvfb-run -a env QT_QPA_PLATFORM=xcb bench/window_startup.sh | tee "$out/window"
fi
section "peak memory of a 50-page search"
bench/cli_peak_memory.sh | tee "$out/memory"

# The figures the goals are set for, in one place.
section "summary"
awk 'NR > 1 && $NF ~ /^[0-9.]+$/ && $NF > worst { worst = $NF; page = substr($0, 1, 14) }
     END { sub(/ +$/, "", page); printf "%-52s %s (%s)\n", "page steps / Python re, worst page", worst, page }' "$out/pages"
awk '/one process for all addresses/ { printf "%-52s %s\n", "50-page search / curl in one process", $NF }' "$out/curl"
sed -n 's/.*peak resident memory [0-9]* KiB (\([0-9]*\) MiB)/\1/p' "$out/memory" |
  awk '{ printf "%-52s %s MiB\n", "peak memory of the 50-page search", $1 }'
awk '/seven at once \/ slowest alone/ { printf "%-52s %s\n", "seven sources at once / the slowed one alone", $NF }' "$out/multi"
[ -f "$out/window" ] && sed -n 's/^launch to first paint of the start window: //p' "$out/window" |
  awk '{ printf "%-52s %s\n", "window launch to first paint (xcb, Xvfb)", $0 }'
true

#!/usr/bin/env bash
# Seven sources searched at once with one of them slowed, against that slow
# source searched alone: the ratio of the wall times is what the others cost.
#   bench/multi_source.sh [ROUNDS] [DELAY_MS]   (median of ROUNDS runs, default 5;
#                                                each tazhao answer DELAY_MS late, default 200)
# BUILD_DIR (default build) holds panscout-cli and panscout-demo.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-5}
DELAY=${2:-200}
. bench/demo_services.sh

# Twelve pages of ten hits from every source; tazhao answers late.
KEYWORD='movie#120'
SOURCES=1,2,3,4,5,6,7
start_demo --slow "tazhao=$DELAY"

multi_ms=() alone_ms=()
for ((round = 0; round < ROUNDS; round++)); do
  began=$(now_ms)
  rows=$("$BUILD_DIR/panscout-cli" --hosts "$HOSTS_FILE" --source "$SOURCES" "$KEYWORD" 2>/dev/null | wc -l)
  multi_ms+=($(($(now_ms) - began)))
  [ "$rows" -eq 840 ] || { echo "panscout-cli listed $rows rows of seven sources, not 840" >&2; exit 1; }

  began=$(now_ms)
  rows=$("$BUILD_DIR/panscout-cli" --hosts "$HOSTS_FILE" --source tazhao "$KEYWORD" 2>/dev/null | wc -l)
  alone_ms+=($(($(now_ms) - began)))
  [ "$rows" -eq 120 ] || { echo "panscout-cli listed $rows rows of tazhao, not 120" >&2; exit 1; }
done

multi=$(median "${multi_ms[@]}")
alone=$(median "${alone_ms[@]}")
echo "12 result pages from each of 7 sources, tazhao's answers ${DELAY} ms late; median wall time of $ROUNDS runs"
printf '%-44s %8s\n' "" "ms"
printf '%-44s %8d\n' "all seven sources at once" "$multi"
printf '%-44s %8d\n' "the slowed source alone" "$alone"
printf '%-44s %8.2f\n' "ratio, seven at once / slowest alone" "$(echo "$multi $alone" | awk '{print $1 / $2}')"

#!/usr/bin/env bash
# A 50-page search with panscout-cli against the demo services, against curl
# fetching the same 50 addresses one after another: the ratio of the wall
# times is what everything but the network costs.
#   bench/cli_vs_curl.sh [ROUNDS]   (the median of ROUNDS runs each, default 5)
# BUILD_DIR (default build) holds panscout-cli and panscout-demo.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-5}
. bench/demo_services.sh
command -v curl >/dev/null || { echo "curl is missing (apt-get install curl)" >&2; exit 1; }

# "x#500" gives 500 hits, 50 pages of ten; source 2 (115) reads them straight
# from the Baidu service, so the CLI asks for exactly these addresses.
KEYWORD='x#500'
PAGES=50
start_demo
baidu=$(hosts_value baidu)
site=$(hosts_value 115)
urls=()
for ((page = 0; page < PAGES; page++)); do
  urls+=("http://$baidu/s?wd=site%3A%28$site%29x%23500&pn=$((page * 10))&cl=1&tn=baiduadv")
done

cli_ms=() first_ms=() curl_ms=() curls_ms=()
for ((round = 0; round < ROUNDS; round++)); do
  began=$(now_ms)
  rows=$("$BUILD_DIR/panscout-cli" --hosts "$HOSTS_FILE" --source 2 "$KEYWORD" 2>/dev/null | wc -l)
  cli_ms+=($(($(now_ms) - began)))
  [ "$rows" -eq $((PAGES * 10)) ] || { echo "panscout-cli listed $rows rows, not $((PAGES * 10))" >&2; exit 1; }

  # What the CLI costs before its pages: start-up and one page.
  began=$(now_ms)
  "$BUILD_DIR/panscout-cli" --hosts "$HOSTS_FILE" --source 2 --max-pages 1 "$KEYWORD" >/dev/null 2>&1
  first_ms+=($(($(now_ms) - began)))

  # A new connection for each address, as panscout-cli makes; a reused one
  # stalls each answer of the demo's server for the 40 ms of a delayed ACK.
  began=$(now_ms)
  bytes=$(curl -sf -H 'Connection: close' "${urls[@]}" | wc -c)
  curl_ms+=($(($(now_ms) - began)))
  [ "$bytes" -gt 0 ] || { echo "curl fetched nothing" >&2; exit 1; }

  began=$(now_ms)
  for url in "${urls[@]}"; do curl -sf -o /dev/null "$url"; done
  curls_ms+=($(($(now_ms) - began)))
done

cli=$(median "${cli_ms[@]}")
first=$(median "${first_ms[@]}")
curl1=$(median "${curl_ms[@]}")
curls=$(median "${curls_ms[@]}")
echo "$PAGES result pages of source 2 from the demo, median wall time of $ROUNDS runs"
printf '%-44s %8s %8s\n' "" "ms" "ratio"
printf '%-44s %8d %8s\n' "panscout-cli (search, extraction, output)" "$cli" ""
printf '%-44s %8d %8s\n' "panscout-cli, first page only" "$first" ""
printf '%-44s %8d %8.2f\n' "curl, one process for all addresses" "$curl1" "$(echo "$cli $curl1" | awk '{print $1 / $2}')"
printf '%-44s %8d %8.2f\n' "curl, one process per address" "$curls" "$(echo "$cli $curls" | awk '{print $1 / $2}')"
echo "ratio = panscout-cli / curl"

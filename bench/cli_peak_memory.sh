#!/usr/bin/env bash
# The peak memory (maximum resident set) of a 50-page panscout-cli search
# against the demo services, as GNU time reports it.
#   bench/cli_peak_memory.sh
# BUILD_DIR (default build) holds panscout-cli and panscout-demo.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
. bench/demo_services.sh
[ -x /usr/bin/time ] || { echo "GNU time is missing (apt-get install time)" >&2; exit 1; }

start_demo
report=$DEMO_DIR/time.txt
rows=$(/usr/bin/time -v -o "$report" "$BUILD_DIR/panscout-cli" --hosts "$HOSTS_FILE" --source 2 'x#500' 2>/dev/null | wc -l)
[ "$rows" -eq 500 ] || { echo "panscout-cli listed $rows rows, not 500" >&2; exit 1; }
kib=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
echo "50-page panscout-cli search (500 rows): peak resident memory $kib KiB ($((kib / 1024)) MiB)"

#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each over its seed corpus.
#   fuzz/run.sh                  a short run of each (what CI does)
#   fuzz/run.sh --seconds 600    each fuzzer for ten minutes
# A crash leaves its input as crash-* in build-fuzz/; keep it as a test.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
limit=(-runs="${FUZZ_RUNS:-3000}")
[ "${1:-}" != "--seconds" ] || limit=(-max_total_time="$2")

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPANSCOUT_FUZZ=ON -DPANSCOUT_GUI=OFF >/dev/null
cmake --build "$BUILD" --target fuzzers -j "$(nproc)"
"$BUILD/write_seeds" "$BUILD/seeds"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in "$BUILD"/*_fuzzer; do
  name=$(basename "$fuzzer" _fuzzer)
  mkdir -p "$BUILD/corpus/$name" "$BUILD/seeds/$name"
  echo "fuzzing $name"
  (cd "$BUILD" && "./$(basename "$fuzzer")" "${limit[@]}" -max_len=65536 -timeout=30 \
    "corpus/$name" "seeds/$name" 2>&1 | tail -n 3)
done

#!/usr/bin/env bash
# Fuzzes the workbook package reader with libFuzzer for the given number of
# seconds (default 60), starting from a small generated seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DTSUMIKI_FUZZ=ON -DTSUMIKI_BUILD_TESTS=OFF -DTSUMIKI_BUILD_GUI=OFF -DTSUMIKI_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j"$(nproc)" --target workbook_fuzz workbook_fuzz_seeds
corpus="$build/fuzz-corpus"
mkdir -p "$corpus"
"$build/fuzz/workbook_fuzz_seeds" "$corpus"
ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/workbook_fuzz" -max_total_time="$seconds" \
  -timeout=20 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 "$corpus"

#!/usr/bin/env bash
# Sets everything up, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Everything on, whatever an earlier configuration of build/ left in its cache.
bash scripts/build.sh -DTSUMIKI_BUILD_GUI=ON -DTSUMIKI_BUILD_BENCH=ON -DTSUMIKI_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
# Lets ccache reuse objects across clones of the repository (CI builds in a fresh clone).
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)}
cmake -S . -B "$build_dir" -G Ninja -DTSUMIKI_WERROR=ON "$@" > /dev/null
cmake --build "$build_dir" -j"$(nproc)"

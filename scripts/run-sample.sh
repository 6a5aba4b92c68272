#!/usr/bin/env bash
# The main job on a fresh machine: installs what the build needs, builds the command
# line, and creates the roster of the sample workbook on a copy of it, printing the
# roster. The sample in examples/ stays untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh cli
# A build folder of its own: the command line alone, without the desktop program, must
# not become the configuration that scripts/test.sh then finds in build/.
build_dir=${BUILD_DIR:-build-cli}
BUILD_DIR=$build_dir bash scripts/build.sh -DTSUMIKI_BUILD_GUI=OFF -DTSUMIKI_BUILD_BENCH=OFF \
  -DTSUMIKI_BUILD_TESTS=OFF
tsumiki="$root/$build_dir/cli/tsumiki"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/shift.xlsm "$work/shift.xlsm"
cd "$work"
# Prints the progress, the closing message, then the roster and its totals.
"$tsumiki" --workbook "$work/shift.xlsm" --batch --seed "${SEED:-1}" --save create

#!/usr/bin/env bash
# The main job on a fresh machine: installs what the build needs, builds the command
# line, and creates the roster of the sample workbook on a copy of it, printing the
# roster. The sample in examples/ stays untouched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/setup.sh
BUILD_DIR=${BUILD_DIR:-build} bash scripts/build.sh -DTSUMIKI_BUILD_GUI=OFF -DTSUMIKI_BUILD_BENCH=OFF
tsumiki="$root/${BUILD_DIR:-build}/cli/tsumiki"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/shift.xlsm "$work/shift.xlsm"
cd "$work"
# Prints the progress, the closing message, then the roster and its totals.
"$tsumiki" --workbook "$work/shift.xlsm" --batch --seed "${SEED:-1}" --save create

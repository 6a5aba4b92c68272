#!/usr/bin/env bash
# Makes docs/screenshot.png: tsumiki-gui under a virtual X server on a copy of the
# sample workbook, one creation run with a fixed seed, the screen photographed when
# the closing message appears. The copy is discarded; examples/ stays untouched.
#
#   scripts/screenshot.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
program="$build_dir/gui/tsumiki-gui"
if [ ! -x "$program" ]; then
  echo "tsumiki-gui not found in $build_dir (build the target tsumiki-gui first)" >&2
  exit 1
fi
if [ ! -f examples/shift.xlsm ]; then
  echo "examples/shift.xlsm is missing (tsumiki init examples/shift.xlsm makes it)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/shift.xlsm "$work/shift.xlsm"
output="$PWD/docs/screenshot.png"
mkdir -p docs

program_path=$(realpath "$program")
(
  cd "$work"
  # A fixed seed gives the same roster, and so the same picture, on every run.
  QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 timeout 300 \
    xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24" \
    "$program_path" --seed 20270101 --screenshot "$output"
)
echo "wrote $output"

#!/usr/bin/env bash
# Makes docs/screenshots/<size>-<stop>.png: tsumiki-gui under a virtual X server
# at 1366x768 and 1920x1080 on a copy of the sample workbook, walked through as a
# planner would (panel, created roster, a long instruction on Main, the start
# conditions with their error box, the save dialog, a broken rule's mark, the
# print preview). A fixed seed gives the same roster every time. The tour ends
# through 閉じる → いいえ, so a crash on exit fails the script. The copy is
# discarded; examples/ stays untouched.
#
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
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

program_path=$(realpath "$program")
output="$PWD/docs/screenshots"
mkdir -p "$output"
for size in 1366x768 1920x1080; do
  # A fixed folder: the file dialog shows its path, and the pictures stay the same.
  work="${TMPDIR:-/tmp}/tsumiki-screenshots-$size"
  rm -rf "$work"
  mkdir -p "$work"
  cp examples/shift.xlsm "$work/shift.xlsm"
  (
    cd "$work"
    QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 timeout 300 \
      xvfb-run --auto-servernum --server-args="-screen 0 ${size}x24" \
      "$program_path" --seed 20270101 --screenshot-tour "$output" --screenshot-prefix "$size" \
      2> "$work/stderr.log" || { cat "$work/stderr.log" >&2; exit 1; }
  )
  rm -rf "$work"
  echo "wrote $output/$size-*.png"
done

#!/usr/bin/env bash
# Creation runs of the sample workbook, the desktop program against the command
# line, in one sitting under one virtual X server: for each seed a fresh copy for
# each program, the command line first (`tsumiki --batch create`, timed from
# outside, start-up to exit), then the desktop program (`tsumiki-gui --benchmark`:
# the create button pressed once the windows are drawn, every box answered at
# once, ended without saving; it prints the time from its button to the closing
# box, and the whole process is timed from outside too, its second of waiting for
# the windows included). The ratio compares the desktop's button-to-box time with
# the command line's whole run. Prints one line per seed and the medians.
#
#   bench/gui/desktop_vs_cli.sh [BUILD_DIR] [SEEDS]     (defaults: build, 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
seeds=${2:-5}
cli=$(realpath "$build_dir/cli/tsumiki")
gui=$(realpath "$build_dir/gui/tsumiki-gui")
if [ "${INSIDE_XVFB:-}" != 1 ]; then
  exec env INSIDE_XVFB=1 xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24" \
    "$0" "$build_dir" "$seeds"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now_ms() { date +%s%3N; }
cli_times=()
gui_times=()
whole_times=()
for seed in $(seq 1 "$seeds"); do
  cp examples/shift.xlsm "$work/cli.xlsm"
  cp examples/shift.xlsm "$work/gui.xlsm"
  start=$(now_ms)
  "$cli" --workbook "$work/cli.xlsm" --seed "$seed" --batch create > /dev/null
  cli_ms=$(( $(now_ms) - start ))
  start=$(now_ms)
  inner=$(cd "$work" && QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 timeout 120 \
    "$gui" --workbook "$work/gui.xlsm" --seed "$seed" --benchmark 2> "$work/gui.log" |
    sed -n 's/^desktop_create_ms //p')
  gui_ms=$(( $(now_ms) - start ))
  [ -n "$inner" ] || { cat "$work/gui.log" >&2; echo "seed $seed: no closing box" >&2; exit 1; }
  echo "seed $seed: command line ${cli_ms} ms, desktop ${gui_ms} ms (button to closing box ${inner} ms)"
  cli_times+=("$cli_ms")
  gui_times+=("$inner")
  whole_times+=("$gui_ms")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
cli_median=$(median "${cli_times[@]}")
gui_median=$(median "${gui_times[@]}")
echo "median: command line ${cli_median} ms, desktop button to closing box ${gui_median} ms" \
  "(whole process $(median "${whole_times[@]}") ms)," \
  "ratio $(awk -v g="$gui_median" -v c="$cli_median" 'BEGIN {printf "%.2f", g / c}')"

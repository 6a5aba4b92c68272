#!/usr/bin/env bash
# Kills `tsumiki create --save` and `tsumiki conditions load --save` with SIGKILL
# at random moments and checks after each kill that the workbook opens and is
# byte for byte either the old or the new version, and that after the next start
# no temporary file of ours is left in its folder.
#
#   kill_during_save.sh TSUMIKI_BINARY [ITERATIONS] [SEED]
set -uo pipefail

bin=${1:?usage: kill_during_save.sh TSUMIKI_BINARY [ITERATIONS] [SEED]}
iterations=${2:-50}
RANDOM=${3:-1}

work=$(mktemp -d "${TMPDIR:-/tmp}/tsumiki-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT
book="$work/shift.xlsm"
failures=0
declare -A kept_count=([old]=0 [new]=0)

fail() {
  echo "FAIL ($1): $2" >&2
  failures=$((failures + 1))
}

# The old version, the conditions file, and the new version each command writes
# when it runs to the end (a fixed seed makes the runs reproducible).
"$bin" init "$work/old.xlsm" >/dev/null 2>&1 || { echo "init failed" >&2; exit 1; }
cp "$work/old.xlsm" "$book"
"$bin" --workbook "$book" --batch conditions save "$work/c.csv" >/dev/null 2>&1 ||
  { echo "conditions save failed" >&2; exit 1; }
cp "$work/old.xlsm" "$book"

commands=(create conditions)
declare -A new_version duration_ms
run() {  # run COMMAND: the whole command, in the background
  case $1 in
    # No improvement phase: its budget is cut by the clock on a slow (sanitizer)
    # build, and the new version must be the same in every run.
    create) "$bin" --workbook "$book" --seed 7 --batch --save create --improve-seconds 0 \
      >/dev/null 2>&1 & ;;
    conditions) "$bin" --workbook "$book" --batch --save conditions load "$work/c.csv" \
      >/dev/null 2>&1 & ;;
  esac
  pid=$!
}
for command in "${commands[@]}"; do
  cp "$work/old.xlsm" "$book"
  start=$(date +%s%N)
  run "$command"
  wait "$pid" || { echo "$command failed without a kill" >&2; exit 1; }
  duration_ms[$command]=$(( ($(date +%s%N) - start) / 1000000 ))
  cp "$book" "$work/new-$command.xlsm"
  new_version[$command]="$work/new-$command.xlsm"
  cmp -s "$book" "$work/old.xlsm" && { echo "$command did not change the workbook" >&2; exit 1; }
done

for ((i = 1; i <= iterations; i++)); do
  command=${commands[$((i % 2))]}
  full=${duration_ms[$command]}
  # Half the kills anywhere in the run, half around its end, where the save is.
  if ((i % 4 < 2)); then
    delay=$((RANDOM % (full + 1)))
  else
    delay=$((full * 3 / 4 + RANDOM % (full / 4 + 1)))
  fi
  # A lock left by the last kill stays: the next writer must take it over.
  rm -f "$work"/shift.xlsm*
  cp "$work/old.xlsm" "$book"
  run "$command"
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null

  if cmp -s "$book" "$work/old.xlsm"; then
    kept=old
  elif cmp -s "$book" "${new_version[$command]}"; then
    kept=new
  else
    fail "$i $command after ${delay} ms" "the workbook is neither the old nor the new version"
    continue
  fi
  kept_count[$kept]=$((kept_count[$kept] + 1))
  # The next start opens it and clears what the killed process left.
  "$bin" --workbook "$book" --batch show >/dev/null 2>&1 ||
    fail "$i $command after ${delay} ms ($kept)" "the workbook does not open"
  left=$(find "$work" -maxdepth 1 -name '.~tsumiki-*' | wc -l)
  ((left == 0)) || fail "$i $command after ${delay} ms ($kept)" "$left temporary files left"
done

echo "kill test: $iterations kills, $failures failures;" \
  "${kept_count[old]} left the old version, ${kept_count[new]} the new" \
  "(create ${duration_ms[create]} ms, conditions load ${duration_ms[conditions]} ms per full run)"
((failures == 0))

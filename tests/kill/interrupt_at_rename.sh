#!/usr/bin/env bash
# Ctrl-C arriving just before a save's rename: the save is finished, the command ends with
# status 0 and says the workbook was saved, which opens and is wholly the new version.
#
#   interrupt_at_rename.sh TSUMIKI_BINARY
set -uo pipefail

bin=${1:?usage: interrupt_at_rename.sh TSUMIKI_BINARY}
work=$(mktemp -d "${TMPDIR:-/tmp}/tsumiki-int.XXXXXX")
trap 'rm -rf "$work"' EXIT
book="$work/shift.xlsm"

"$bin" init "$work/old.xlsm" >/dev/null 2>&1 || { echo "init failed" >&2; exit 1; }
cp "$work/old.xlsm" "$book"
"$bin" --workbook "$book" --batch conditions save "$work/c.csv" >/dev/null 2>&1 ||
  { echo "conditions save failed" >&2; exit 1; }
load() { "$bin" --workbook "$book" --batch --save conditions load "$work/c.csv"; }

load >/dev/null 2>&1 || { echo "load without an interrupt failed" >&2; exit 1; }
cp "$book" "$work/new.xlsm"
cp "$work/old.xlsm" "$book"

TSUMIKI_TEST_SIGINT_AT_SAVE_STEP=rename load >/dev/null 2>"$work/err"
status=$?
failures=0
[[ $status == 0 ]] || { echo "FAIL: exit status $status, not 0" >&2; failures=1; }
grep -q "中断を受け付けました" "$work/err" || { echo "FAIL: interrupt not acknowledged" >&2; failures=1; }
grep -q "ブックは保存済みです" "$work/err" || { echo "FAIL: the message does not say it saved" >&2; failures=1; }
cmp -s "$book" "$work/new.xlsm" || { echo "FAIL: the workbook is not the new version" >&2; failures=1; }
"$bin" --workbook "$book" --batch show >/dev/null 2>&1 || { echo "FAIL: the workbook does not open" >&2; failures=1; }
ls -A "$work" | grep -q '^\.~tsumiki-' && { echo "FAIL: a temporary file is left" >&2; failures=1; }
[[ $failures == 0 ]] && echo "interrupt at rename: ok"
exit $failures

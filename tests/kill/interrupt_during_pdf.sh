#!/usr/bin/env bash
# SIGTERM or Ctrl-C while the PDF of `export --pdf` is being drawn: the command ends
# with status 3, the drawing program is gone, and the file named keeps its bytes.
#
#   interrupt_during_pdf.sh TSUMIKI_BINARY
set -uo pipefail

bin=${1:?usage: interrupt_during_pdf.sh TSUMIKI_BINARY}
work=$(mktemp -d "${TMPDIR:-/tmp}/tsumiki-pdf-int.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$bin" init "$work/shift.xlsm" >/dev/null 2>&1 || { echo "init failed" >&2; exit 1; }
# Draws nothing: says it started, then waits to be stopped.
cat >"$work/slow-pdf" <<'SCRIPT'
#!/bin/sh
echo $$ > "$0.pid"
exec sleep 60
SCRIPT
chmod +x "$work/slow-pdf"

failures=0
for signal in TERM INT; do
  echo kept >"$work/roster.pdf"
  rm -f "$work/slow-pdf.pid"
  TSUMIKI_PDF_HELPER="$work/slow-pdf" "$bin" --workbook "$work/shift.xlsm" --batch \
    export --pdf "$work/roster.pdf" --force 2>"$work/err" &
  pid=$!
  for _ in $(seq 200); do [[ -s "$work/slow-pdf.pid" ]] && break; sleep 0.05; done
  kill -"$signal" "$pid"
  wait "$pid"
  status=$?
  [[ $status == 3 ]] || { echo "FAIL ($signal): exit status $status, not 3" >&2; failures=1; }
  [[ $(cat "$work/roster.pdf") == kept ]] || { echo "FAIL ($signal): the file changed" >&2; failures=1; }
  if [[ -s "$work/slow-pdf.pid" ]] && kill -0 "$(cat "$work/slow-pdf.pid")" 2>/dev/null; then
    echo "FAIL ($signal): the drawing program still runs" >&2
    kill "$(cat "$work/slow-pdf.pid")"
    failures=1
  fi
  ls -A "$work" | grep -q '^\.~tsumiki-roster' && { echo "FAIL ($signal): a temporary file is left" >&2; failures=1; }
done
[[ $failures == 0 ]] && echo "interrupt during pdf: ok"
exit $failures

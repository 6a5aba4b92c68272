#!/usr/bin/env bash
# Builds the shared-string bomb (one string of 32,767 characters, referred to by
# CELLS cells of the roster sheet, 100,000 by default) into a copy of the sample
# workbook and measures what opening it costs: the peak resident memory and the
# time, with /usr/bin/time -v. The store refuses the package once its decoded
# text passes its budget, so the peak stays far below 1 GB.
#
#   bench/workbook/shared_string_bomb.sh build/cli/tsumiki [CELLS]
set -euo pipefail
tsumiki=${1:?path to the tsumiki program}
cells=${2:-100000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

"$tsumiki" init "$dir/sample.xlsm" >/dev/null
python3 - "$dir/sample.xlsm" "$dir/bomb.xlsm" "$cells" <<'PY'
import re, sys, zipfile
source, target, cells = sys.argv[1], sys.argv[2], int(sys.argv[3])
with zipfile.ZipFile(source) as zin:
    parts = {name: zin.read(name) for name in zin.namelist()}
sst = parts["xl/sharedStrings.xml"].decode()
index = sst.count("<si>")
sst = sst.replace("</sst>", "<si><t>" + "x" * 32767 + "</t></si></sst>")
parts["xl/sharedStrings.xml"] = sst.encode()
sheet_name = "xl/worksheets/sheet1.xml"
sheet = parts[sheet_name].decode()
last = max(int(r) for r in re.findall(r'<row r="(\d+)"', sheet) or ["0"])
rows, per_row = [], 100
for i in range((cells + per_row - 1) // per_row):
    row = last + 1 + i
    count = min(per_row, cells - i * per_row)
    rows.append('<row r="%d">%s</row>' % (row, "".join(
        '<c t="s"><v>%d</v></c>' % index for _ in range(count))))
sheet = sheet.replace("</sheetData>", "".join(rows) + "</sheetData>")
parts[sheet_name] = sheet.encode()
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as zout:
    for name, data in parts.items():
        zout.writestr(name, data)
PY
echo "bomb: $(stat -c %s "$dir/bomb.xlsm") bytes, $cells cells on one string of 32,767 characters"
set +e
/usr/bin/time -v "$tsumiki" --workbook "$dir/bomb.xlsm" --batch show >"$dir/out" 2>"$dir/err"
status=$?
set -e
echo "exit status: $status"
grep -m1 "【" "$dir/out" "$dir/err" | sed 's/^[^:]*://' || true
grep -E "Maximum resident set size|Elapsed \(wall clock\)" "$dir/err"

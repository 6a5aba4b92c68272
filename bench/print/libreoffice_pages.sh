#!/usr/bin/env bash
# How many pages LibreOffice's PDF export gives the roster sheet (人員配置表) of a
# saved workbook: by default the sample that `tsumiki init` writes, with a month
# created and saved. The other sheets are hidden in a copy, so every page of the
# PDF is the roster's; the first and the last member must be on page 1.
# Needs soffice (libreoffice-calc-nogui), poppler-utils and python3.
#
#   libreoffice_pages.sh TSUMIKI_BINARY [WORKBOOK] [PAGE_PNG]
#
# Prints the page count; exit status 0 when the roster is on one page. PAGE_PNG,
# when given, receives page 1 as an image to look at.
set -euo pipefail

bin=$(realpath "${1:?usage: libreoffice_pages.sh TSUMIKI_BINARY [WORKBOOK] [PAGE_PNG]}")
given=${2:-}
png=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/tsumiki-pages.XXXXXX")
trap 'rm -rf "$work"' EXIT
book="$work/book.xlsm"

if [[ -n $given ]]; then
  cp "$given" "$book"
else
  "$bin" init "$book" >/dev/null 2>&1
  "$bin" --workbook "$book" --batch --save --seed 1 create >/dev/null 2>&1
fi

# The roster's first and last member, as `show` lists them.
"$bin" --workbook "$book" --batch show --format csv 2>/dev/null >"$work/roster.csv"
first=$(sed -n 2p "$work/roster.csv" | cut -d, -f2)
last=$(tail -n 1 "$work/roster.csv" | cut -d, -f2)

python3 - "$book" "$work/roster.xlsm" <<'PY'
import re, sys, zipfile
source, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as zout:
    for item in zin.infolist():
        data = zin.read(item.filename)
        if item.filename == "xl/workbook.xml":
            text = data.decode("utf-8")
            sheets = re.findall(r"<sheet [^>]*/>", text)
            names = [re.search(r'name="([^"]*)"', s).group(1) for s in sheets]
            roster = names.index("人員配置表")
            for s, name in zip(sheets, names):
                kept = re.sub(r' state="[^"]*"', "", s)
                if name != "人員配置表":
                    kept = kept.replace("<sheet ", '<sheet state="hidden" ', 1)
                text = text.replace(s, kept, 1)
            text = re.sub(r' activeTab="\d+"', "", text)
            text = text.replace("<workbookView ", f'<workbookView activeTab="{roster}" ', 1)
            data = text.encode("utf-8")
        zout.writestr(item, data)
PY

soffice -env:UserInstallation="file://$work/profile" --headless --convert-to pdf \
  --outdir "$work" "$work/roster.xlsm" >/dev/null 2>&1
pdf="$work/roster.pdf"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
pdftotext -f 1 -l 1 "$pdf" "$work/page1.txt"
[[ -n $png ]] && pdftoppm -f 1 -l 1 -singlefile -png -r 100 "$pdf" "${png%.png}"

echo "人員配置表: ${pages} ページ"
status=0
[[ $pages == 1 ]] || status=1
for name in "$first" "$last"; do
  grep -qF "$name" "$work/page1.txt" || { echo "1ページ目に「$name」がありません" >&2; status=1; }
done
exit $status

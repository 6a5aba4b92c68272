#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

namespace {

std::string KindText(WorkbookError::Kind kind) {
  using K = WorkbookError::Kind;
  switch (kind) {
    case K::kFileNotFound:
      return "ファイルが見つかりません。";
    case K::kLegacyFormat:
      return "古い形式（.xls）または暗号化されたブックは開けません。.xlsm または .xlsx "
             "で保存し直してください。";
    case K::kNotAPackage:
      return "ブックのファイルが壊れているか、ブックではありません。";
    case K::kBadPackage:
      return "ブックの中身が不完全です。";
    case K::kUnsafePackage:
      return "ブックに安全でない内容があるため開けません。";
    case K::kMissingSheet:
      return "シートがありません。";
    case K::kMissingName:
      return "名前が定義されていません。";
    case K::kBadValue:
      return "セルの値を読み取れません。";
    case K::kReadOnlyCell:
      return "このセルには書き込めません。";
    case K::kUnknownMacro:
      return "マクロがありません。";
    case K::kFileChanged:
      return "ブックが開いた後に別のプログラムで変更されています。";
    case K::kSaveFailed:
      return "ブックを保存できませんでした。";
    case K::kUnreadable:
      return "ファイルを読む権限がありません。";
    case K::kRangeTooSmall:
      return "名前の範囲が小さすぎます。範囲を広げてください。";
    case K::kOutOfMemory:
      return "メモリが足りないため、ブックを読み込めません。";
  }
  return {};
}

std::string PlaceText(const WorkbookError::Place& p) {
  std::string out;
  if (!p.file.empty()) out += "ファイル「" + p.file + "」";
  if (!p.sheet.empty()) out += "シート「" + p.sheet + "」";
  if (!p.name.empty()) out += "名前「" + p.name + "」";
  if (!p.cell.empty()) out += "セル " + p.cell;
  return out;
}

std::string Compose(WorkbookError::Kind kind, const WorkbookError::Place& place,
                    const std::string& detail) {
  std::string text = PlaceText(place);
  if (!text.empty()) text += "：";
  text += KindText(kind);
  if (!detail.empty()) text += "（" + detail + "）";
  return text;
}

}  // namespace

WorkbookError::WorkbookError(Kind kind, Place place, std::string detail)
    : std::runtime_error(Compose(kind, place, detail)),
      kind_(kind),
      place_(std::move(place)),
      detail_(std::move(detail)) {}

std::string WorkbookError::JapaneseMessage() const {
  return what();
}

}  // namespace tsumiki::workbook

#pragma once

// The details the store adds to a WorkbookError, shown to the planner after the
// error's own sentence. Each text lives here and nowhere else.
namespace tsumiki::workbook::messages {

inline constexpr const char* kTruncated =
    "ZIP の構造が壊れています。ファイルが途中で切れていないか確認してください";
inline constexpr const char* kNoWorkbookPart = "ブック本体（xl/workbook.xml）がありません";
inline constexpr const char* kMissingPart = "必要な部品がありません";
inline constexpr const char* kMalformedXml = "XML の書式が正しくありません";
inline constexpr const char* kTooDeep = "XML の入れ子が深すぎます";
inline constexpr const char* kOtherEncoding =
    "文字コードが UTF-8 でも UTF-16 でもありません。Excel ブック形式で保存し直してください";
inline constexpr const char* kNotUtf8 = "UTF-8 として読めない文字があります";
inline constexpr const char* kBadXmlChar = "XML に使えない制御文字があります";
inline constexpr const char* kBadReference =
    "XML の文字参照が正しくありません（未定義の実体名、または使えない文字番号）";
inline constexpr const char* kTooManyCells = "セルが多すぎます（ブック全体で 1,000,000 個まで）";
inline constexpr const char* kTooManyElements = "XML の要素が多すぎます";
inline constexpr const char* kTooMuchText =
    "セルの文字列が多すぎます（ブック全体で 128 MB まで。共有文字列は使うセルごとに数えます）";
inline constexpr const char* kCellTextTooLong = "セルの文字数が 32,767 文字を超えています";
inline constexpr const char* kRangeTooLarge = "範囲のセルが多すぎます（2,000,000 個まで）";
inline constexpr const char* kSheetOutside = "シートの部品がブックの外を指しています";
inline constexpr const char* kUnknownRelId =
    "シートの関係 ID がブックの関係（workbook.xml.rels）にありません";
inline constexpr const char* kDuplicateRelId = "ブックの関係（workbook.xml.rels）に同じ ID が 2 つあります";
inline constexpr const char* kNotASheetRel = "シートの関係の種類がシートではありません";
inline constexpr const char* kSharedSheetPart = "2 つのシートが同じ部品を指しています";
inline constexpr const char* kDamagedEntry =
    "ZIP の中のファイルが壊れています（検査値が一致しません）。ファイルが破損しています";
inline constexpr const char* kStrictFormat =
    "Strict Open XML 形式には対応していません。「Excel ブック」形式で保存し直してください";
inline constexpr const char* kEntryPath = "ZIP の中に安全でないファイル名があります";
inline constexpr const char* kEntryTooLarge = "ZIP の中のファイルが大きすぎます";
inline constexpr const char* kSizeMismatch = "ZIP の中のファイルの大きさが記録と一致しません";
inline constexpr const char* kTooManyEntries = "ZIP の中のファイルが多すぎます";
inline constexpr const char* kCellOutOfGrid = "セルの位置がシートの範囲外です";
inline constexpr const char* kDuplicateRow = "同じ行が 2 回あります";
inline constexpr const char* kDuplicateCell = "同じ位置のセルが 2 つあります";
inline constexpr const char* kCellInOtherRow = "セルの番地が行と一致しません";
inline constexpr const char* kBadStyleIndex = "書式の番号が範囲外です";
inline constexpr const char* kBadSharedString = "共有文字列の番号が範囲外か、数として読めません";
inline constexpr const char* kBadBoolean = "真偽値のセルが 0 でも 1 でもありません";
inline constexpr const char* kNotPlainRange = "セル範囲を指していません";
inline constexpr const char* kBadAddress = "セル番地として読めません";
inline constexpr const char* kNotFinite = "数値が有限ではありません";
inline constexpr const char* kShapeMismatch = "書き込む表の大きさが範囲と一致しません";
inline constexpr const char* kArrayFormula = "配列数式の範囲です";
inline constexpr const char* kSharedFormulaMaster = "共有数式の先頭セルです";
inline constexpr const char* kBadColorIndex = "色番号は 1～56 または色なし（-4142）です";
inline constexpr const char* kDuplicateSheet = "同じ名前のシートが既にあります";
inline constexpr const char* kBadSheetName =
    "シート名は 1～31 文字で、: \\ / ? * [ ] を含めないでください";
inline constexpr const char* kNoPath = "保存先のファイル名が決まっていません";
inline constexpr const char* kWriteTemp = "一時ファイルを書き込めません";
inline constexpr const char* kVerify = "書き込んだファイルを確認できません";
inline constexpr const char* kReadOnly =
    "ファイルが読み取り専用です。書き込みを許可するか、別の場所に複製してから使ってください";
inline constexpr const char* kRename = "ファイルを置き換えられません";
inline constexpr const char* kBackup = "バックアップ（.bak）を作れません";
inline constexpr const char* kReadFile = "ファイルを読み込めません";
inline constexpr const char* kOutsideRange = "セルが範囲の外です";

}  // namespace tsumiki::workbook::messages

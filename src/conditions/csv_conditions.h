#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/workbook.h"

// The conditions file: every typed input area of the workbook as CSV, UTF-8 with
// BOM, one line per filled cell: name, row, column, value (row and column from 1
// inside the name). The first line says what the file is and the last line marks
// its end, so a foreign or cut-off file is recognised. Texts that would read back
// as something else (a number, TRUE, a leading "'" or "#") carry a leading "'",
// as spreadsheet programs do, so a round trip is exact.
namespace tsumiki::layout {

// The file's text, BOM included.
std::string ConditionsCsvText(const workbook::Workbook& book);

// Checks the whole text first; on any problem returns the Japanese message (naming
// the line) and leaves the workbook as it was. On success every input area is
// replaced by the file's cells and nullopt is returned. `file_label` names the file
// in messages. With `write` false only the checks run (the command line checks a
// file before it changes anything, so that a refused file leaves nothing to save).
std::optional<std::string> ApplyConditionsCsv(workbook::Workbook& book, std::string_view text,
                                              std::string_view file_label, bool write = true);

// Writes the file atomically (ReplaceFile of workbook/file_replace.h).
// nullopt on success, else the Japanese message.
std::optional<std::string> SaveConditionsFile(const workbook::Workbook& book,
                                              const std::filesystem::path& path);
std::optional<std::string> LoadConditionsFile(workbook::Workbook& book,
                                              const std::filesystem::path& path, bool write = true);

namespace csv_text {
inline constexpr std::string_view kSignature = "ツミキ条件データ";
inline constexpr std::string_view kVersion = "1";
inline constexpr std::string_view kEndMark = "ツミキ条件データ終わり";

inline constexpr std::string_view kTitle = "条件データの保存と読込";
inline constexpr std::string_view kNoPath =
    "条件データのファイル名がありません。名前リストシートのセルC1にファイルのパスを入れてください"
    "。";
// {0}: the file.
inline constexpr std::string_view kCannotWrite =
    "条件データ「{0}"
    "」を書き込めませんでした。保存先のフォルダがあるか、書き込みできるかを確認してください。";
inline constexpr std::string_view kCannotRead =
    "条件データ「{0}"
    "」を開けませんでした。ファイルがあるか確認してください。ブックは変更していません。";
inline constexpr std::string_view kTooLarge =
    "条件データ「{0}」は大きすぎて条件データとは考えられません。ブックは変更していません。";
// {0}: the file.
inline constexpr std::string_view kForeign =
    "「{0}"
    "」はツミキの条件データではありません（1行目）。条件保存で作ったCSVファイルを選んでください。ブ"
    "ックは変更していません。";
// {0}: the file, {1}: the line, {2}: the reason.
inline constexpr std::string_view kBadLine =
    "条件データ「{0}」の{1}行目を読めません。{2}ブックは変更していません。";
// {0}: the file.
inline constexpr std::string_view kTruncated =
    "条件データ「{0}"
    "」は途中で切れています（最後の行に終わりの印がありません）。ブックは変更していません。";

// Reasons for kBadLine.
inline constexpr std::string_view kReasonFieldCount = "名前・行・列・値の4項目になっていません。";
// {0}: the name.
inline constexpr std::string_view kReasonUnknownName =
    "名前「{0}」はこのブックの条件にありません。";
inline constexpr std::string_view kReasonBadPosition = "行と列は1以上の整数で書いてください。";
// {0}: the name, {1} rows, {2} columns.
inline constexpr std::string_view kReasonOutOfRange =
    "名前「{0}」の範囲（{1}行×{2}列）の外のセルです。";
// {0}: the earlier line.
inline constexpr std::string_view kReasonDuplicate = "同じセルが{0}行目にもあります。";
inline constexpr std::string_view kReasonUnclosedQuote = "引用符（\"）が閉じていません。";
inline constexpr std::string_view kReasonTextAfterQuote =
    "引用符（\"）の後に余分な文字があります。";
inline constexpr std::string_view kReasonNotUtf8 = "文字コードがUTF-8ではありません。";
inline constexpr std::string_view kReasonAfterEnd = "終わりの印の後に行があります。";
inline constexpr std::string_view kReasonControl = "値に使えない制御文字（NUL など）があります。";
inline constexpr std::string_view kReasonTooLong = "値が長すぎます（32,767 文字まで）。";
// {0}: the name.
inline constexpr std::string_view kReasonNotANumber = "名前「{0}」の値は数で書いてください。";
}  // namespace csv_text

}  // namespace tsumiki::layout

#pragma once

#include <string_view>

// The Japanese texts of the printed page and of the program that draws it.
namespace tsumiki::print_texts {

inline constexpr std::string_view kRosterTitle = "勤務表";
inline constexpr std::string_view kYear = "年";
inline constexpr std::string_view kMonth = "月 ";
inline constexpr std::string_view kNumberHead = "番号";
inline constexpr std::string_view kNameHead = "氏名";
inline constexpr std::string_view kStaffHead = "人数";
inline constexpr std::string_view kSumHeads[] = {"勤務", "目標", "休日", "単勤", "単休"};
// Where the workbook sets wishes: those the month grants and misses, per member.
inline constexpr std::string_view kWishHeads[] = {"希望○", "希望×"};
// Where it sets a desired staffing: the row of each such duty (its head beside the
// staff rows' 人数), with the days that reach it against those that have one
// ({0}/{1}) under the totals.
inline constexpr std::string_view kDesiredHead = "希望";
inline constexpr std::string_view kDesiredReached = "届いた日 {0}/{1}";

// {path} follows: the desktop program's PDF could not be written.
inline constexpr std::string_view kCannotWriteFile = "PDF ファイルを書けません：";

// The PDF program's own failures, on its error output.
inline constexpr std::string_view kBadInput = "印刷するページのデータを読めません。";
inline constexpr std::string_view kCannotDraw = "PDF を描けません。";
inline constexpr std::string_view kCannotWrite = "PDF を出力できません。";

}  // namespace tsumiki::print_texts

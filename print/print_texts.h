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

// {path} follows: the desktop program's PDF could not be written.
inline constexpr std::string_view kCannotWriteFile = "PDF ファイルを書けません：";

// The PDF program's own failures, on its error output.
inline constexpr std::string_view kBadInput = "印刷するページのデータを読めません。";
inline constexpr std::string_view kCannotDraw = "PDF を描けません。";
inline constexpr std::string_view kCannotWrite = "PDF を出力できません。";

}  // namespace tsumiki::print_texts

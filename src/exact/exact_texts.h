#pragma once

#include <string_view>

namespace tsumiki::exact::text {

// The lines of a relaxation. {0} the day with its weekday, {1} the duty, {2} the
// number; {0} {1} member number and name, {2} the days; {3} the combination row.
inline constexpr std::string_view kStaffShort = "{0} {1} {2} 人不足";
inline constexpr std::string_view kFewerWorkDays = "{0} {1}: 勤務日数を {2} 日減らす";
inline constexpr std::string_view kMoreWorkDays = "{0} {1}: 勤務日数を {2} 日増やす";
inline constexpr std::string_view kComboShort = "{0} 組合せ必須 {1} 行目（{2}）が {3} 人不足";
// The optional limits: {0} {1} member number and name, {2} the duty or the amount,
// {3} the amount.
inline constexpr std::string_view kDutyLeastShort = "{0} {1}: 「{2}」の下限を {3} 回減らす";
inline constexpr std::string_view kDutyMostOver = "{0} {1}: 「{2}」の上限を {3} 回増やす";
inline constexpr std::string_view kWeekendsOver = "{0} {1}: 週末勤務の上限を {2} 回増やす";
inline constexpr std::string_view kRestRunShorter = "{0} {1}: 連休の最短を {2} 日短くする";
inline constexpr std::string_view kWorkRunShorter = "{0} {1}: 連勤の最短を {2} 日短くする";

}  // namespace tsumiki::exact::text

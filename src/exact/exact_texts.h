#pragma once

#include <string_view>

namespace tsumiki::exact::text {

// The lines of a relaxation. {0} the day with its weekday, {1} the duty, {2} the
// number; {0} {1} member number and name, {2} the days; {3} the combination row.
inline constexpr std::string_view kStaffShort = "{0} {1} {2} 人不足";
inline constexpr std::string_view kFewerWorkDays = "{0} {1}: 勤務日数を {2} 日減らす";
inline constexpr std::string_view kMoreWorkDays = "{0} {1}: 勤務日数を {2} 日増やす";
inline constexpr std::string_view kComboShort = "{0} 組合せ必須 {1} 行目（{2}）が {3} 人不足";

}  // namespace tsumiki::exact::text

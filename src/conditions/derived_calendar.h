#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tsumiki::layout {

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  bool operator==(const CivilDate&) const = default;
};

// Days of a month (month 1..12), leap years counted.
int DaysInMonth(int year, int month);

// The date of day 1 of the roster period from 年, 月 and 基準開始日. A base day
// beyond the month's end rolls into the next month, as a spreadsheet's DATE does
// (2027-02-30 is 2027-03-02). nullopt when the month is not 1..12, the day not
// 1..31, or the year outside 1900..9999.
std::optional<CivilDate> PeriodStart(int year, int month, int base_day);

// Days from the start up to the day before the same day of the next month. When the
// next month is shorter, its last day stands in (Jan 31 -> Feb 28: 28 days).
int PeriodLength(const CivilDate& start);

CivilDate AddDays(const CivilDate& date, int days);
// 0 = Sunday .. 6 = Saturday.
int Weekday(const CivilDate& date);
// "日", "月", ... "土".
std::string_view WeekdayName(int weekday);

// Day d (1-based) of the period as the planner reads it, "1月5日"; "5日目" when
// 年, 月 or 基準開始日 give no date.
std::string PeriodDayText(int year, int month, int base_day, int d);

// The roster day (1-based) on which the period, starting at `period_start` and
// lasting `day_count` days, passes day `day_of_month` of a calendar month; 0 when
// no day of the period has that number (a period 1/31–2/27 holds no 28th).
// Counted over the dates themselves, so that a period running into a shorter
// month (1/29–2/27: 2/5 is day 8) places the day where the planner reads it.
int StartDayIndex(const CivilDate& period_start, int day_count, int day_of_month);

}  // namespace tsumiki::layout

#include "conditions/derived_calendar.h"

#include <algorithm>
#include <array>

namespace tsumiki::layout {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, m, d};
}

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<CivilDate> PeriodStart(int year, int month, int base_day) {
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || base_day < 1 || base_day > 31) {
    return std::nullopt;
  }
  return CivilFromDays(DaysFromCivil(year, month, 1) + base_day - 1);
}

int PeriodLength(const CivilDate& start) {
  int year = start.year;
  int month = start.month + 1;
  if (month > 12) {
    month = 1;
    ++year;
  }
  const int day = std::min(start.day, DaysInMonth(year, month));
  return static_cast<int>(DaysFromCivil(year, month, day) -
                          DaysFromCivil(start.year, start.month, start.day));
}

CivilDate AddDays(const CivilDate& date, int days) {
  return CivilFromDays(DaysFromCivil(date.year, date.month, date.day) + days);
}

int Weekday(const CivilDate& date) {
  const long z = DaysFromCivil(date.year, date.month, date.day);
  // 1970-01-01 was a Thursday.
  return static_cast<int>(((z % 7) + 7 + 4) % 7);
}

std::string_view WeekdayName(int weekday) {
  static constexpr std::array<std::string_view, 7> kNames{"日", "月", "火", "水", "木", "金", "土"};
  return kNames[static_cast<std::size_t>(((weekday % 7) + 7) % 7)];
}

int StartDayIndex(int start_day_of_month, int base_day, int day_count) {
  const int index = start_day_of_month - base_day + 1;
  if (index > 0) return index;
  return day_count - base_day + start_day_of_month + 1;
}

}  // namespace tsumiki::layout

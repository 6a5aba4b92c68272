#include "conditions/derived_calendar.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace tsumiki::layout {
namespace {

namespace chr = std::chrono;

// A day past the month's end counts on into the next month, as a spreadsheet's
// DATE does: <chrono> defines the days of such a date that way.
chr::sys_days Days(int year, int month, int day) {
  return chr::sys_days{chr::year{year} / chr::month{static_cast<unsigned>(month)} /
                       chr::day{static_cast<unsigned>(day)}};
}

chr::sys_days Days(const CivilDate& date) { return Days(date.year, date.month, date.day); }

CivilDate Civil(chr::sys_days days) {
  const chr::year_month_day date{days};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

}  // namespace

int DaysInMonth(int year, int month) {
  const chr::year_month_day_last last{chr::year{year} /
                                      chr::month{static_cast<unsigned>(month)} / chr::last};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

std::optional<CivilDate> PeriodStart(int year, int month, int base_day) {
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || base_day < 1 || base_day > 31) {
    return std::nullopt;
  }
  return Civil(Days(year, month, 1) + chr::days{base_day - 1});
}

std::string PeriodDayText(int year, int month, int base_day, int d) {
  const std::optional<CivilDate> start = PeriodStart(year, month, base_day);
  if (!start) return std::to_string(d) + "日目";
  const CivilDate date = AddDays(*start, d - 1);
  return std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

int PeriodLength(const CivilDate& start) {
  int year = start.year;
  int month = start.month + 1;
  if (month > 12) {
    month = 1;
    ++year;
  }
  const int day = std::min(start.day, DaysInMonth(year, month));
  return static_cast<int>((Days(year, month, day) - Days(start)).count());
}

CivilDate AddDays(const CivilDate& date, int days) {
  return Civil(Days(date) + chr::days{days});
}

int Weekday(const CivilDate& date) {
  return static_cast<int>(chr::weekday{Days(date)}.c_encoding());
}

std::string_view WeekdayName(int weekday) {
  static constexpr std::array<std::string_view, 7> kNames{"日", "月", "火", "水", "木", "金", "土"};
  return kNames[static_cast<std::size_t>(((weekday % 7) + 7) % 7)];
}

int StartDayIndex(const CivilDate& period_start, int day_count, int day_of_month) {
  for (int d = 1; d <= day_count; ++d) {
    if (AddDays(period_start, d - 1).day == day_of_month) return d;
  }
  return 0;
}

}  // namespace tsumiki::layout

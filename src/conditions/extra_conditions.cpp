#include "conditions/extra_conditions.h"

#include "workbook/a1_reference.h"

namespace tsumiki {

void ExtraConditions::Resize(int day_count, int type_count, int member_count) {
  const int members = member_count + 1;
  const int days = day_count + 1;
  DutyLeast.Reset(0, members, 0, type_count + 1);
  DutyMost.Reset(0, members, 0, type_count + 1);
  for (int m = 0; m <= members; ++m) {
    for (int t = 0; t <= type_count + 1; ++t) DutyMost(m, t) = kNoLimit;
  }
  RestRunLeast.Reset(0, members);
  WorkRunLeast.Reset(0, members);
  WorkRunMost.Reset(0, members);
  WeekendsMost.Reset(0, members);
  DayOffMost.Reset(0, members);
  for (int m = 0; m <= members; ++m) WeekendsMost(m) = DayOffMost(m) = WorkRunMost(m) = kNoLimit;
  WeekendOf.Reset(0, days);
  WeekendCount = 0;
  WishDuty.Reset(0, members, 0, days);
  WishWeight.Reset(0, members, 0, days);
  DesiredStaff.Reset(0, type_count + 1, 0, days);
  DesiredWeight.Reset(0, type_count + 1);
  ScoreWeight = 1.0f;
  DutyLeastPlace = DutyMostPlace = RestRunPlace = WorkRunPlace = WeekendsPlace = DayOffPlace =
      AreaPlace{};
  HasHard = false;
  HasSoft = false;
}

void ExtraConditions::SetWeekends(int day_count, int first_weekday) {
  WeekendCount = 0;
  for (int d = 1; d <= day_count; ++d) {
    const int weekday = (first_weekday + d - 1) % 7;
    WeekendOf(d) = 0;
    if (weekday != 6 && weekday != 0) continue;
    // A Sunday continues the weekend of the Saturday before it, unless the period
    // begins on that Sunday.
    if (weekday == 6 || d == 1) ++WeekendCount;
    WeekendOf(d) = WeekendCount;
  }
}

std::string AreaCellLabel(const ExtraConditions::AreaPlace& place, std::string_view name, int row,
                          int column, int last_column) {
  if (place.top == 0) return std::string(name);
  std::string label =
      place.sheet + "!" + workbook::CellName(place.top + row - 1, place.left + column - 1);
  if (last_column > column)
    label += ":" + workbook::CellName(place.top + row - 1, place.left + last_column - 1);
  return label;
}

}  // namespace tsumiki

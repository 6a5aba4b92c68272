#include "roster/extra_rules.h"

#include <algorithm>

namespace tsumiki {
namespace {

bool WorksOn(const ConditionModel& model, int m, int d) {
  if (d >= 1) return d <= model.DayCount && model.Roster(m, d) >= 1;
  return model.UsePrevMonth && 1 - d <= kPrevMonthDays && model.PrevMonthTail(m, 1 - d) >= 1;
}

int CountOf(const ConditionModel& model, int m, int t) {
  int count = 0;
  for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) == t ? 1 : 0;
  return count;
}

// Weekends member m works, the weekend of `with_day` counted as worked.
int WeekendsWorked(const ConditionModel& model, int m, int with_day) {
  const ExtraConditions& x = model.Extra;
  int worked = 0;
  int last = 0;
  for (int d = 1; d <= model.DayCount; ++d) {
    const int weekend = x.WeekendOf(d);
    if (weekend == 0 || weekend == last) continue;
    if (d == with_day || model.Roster(m, d) >= 1) {
      last = weekend;
      ++worked;
    }
  }
  return worked;
}

bool WithinMost(const ConditionModel& model, int m, int d, int t, int count_with_d) {
  const ExtraConditions& x = model.Extra;
  if (t < 1 || t > model.TypeCount) return true;
  if (x.DutyMost(m, t) != kNoLimit && count_with_d > x.DutyMost(m, t)) return false;
  return x.WeekendsMost(m) == kNoLimit || x.WeekendOf(d) == 0 ||
         WeekendsWorked(model, m, d) <= x.WeekendsMost(m);
}

// The days the run of member m's days that are like day d (work or rest), and
// contain it, lacks of its shortest length; its last day in `last`. A run
// reaching the period's end, or its start without the previous month in use, may
// go on beyond and is not judged.
int RunShortBy(const ConditionModel& model, int m, int d, int& last) {
  last = d;
  if (d < 1 || d > model.DayCount) return 0;
  const bool work = WorksOn(model, m, d);
  while (last < model.DayCount && WorksOn(model, m, last + 1) == work) ++last;
  const int least = work ? model.Extra.WorkRunLeast(m) : model.Extra.RestRunLeast(m);
  if (least < 2) return 0;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  int first = d;
  while (first > earliest && WorksOn(model, m, first - 1) == work) --first;
  if (last == model.DayCount || (!model.UsePrevMonth && first == 1) || last < 1) return 0;
  return std::max(0, least - (last - first + 1));
}

bool RunLongEnough(const ConditionModel& model, int m, int d) {
  int last = d;
  return RunShortBy(model, m, d, last) == 0;
}

}  // namespace

bool ExtraLimitsAllowDuty(const ConditionModel& model, int m, int d, int t, bool month_filled) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard) return true;
  if (month_filled && x.WorkRunLeast(m) >= 2) {
    // The work run d would join: the days before and after it, with d itself.
    int first = d;
    const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
    while (first > earliest && WorksOn(model, m, first - 1)) --first;
    int last = d;
    while (last < model.DayCount && WorksOn(model, m, last + 1)) ++last;
    const bool open = last == model.DayCount || (!model.UsePrevMonth && first == 1);
    if (!open && last - first + 1 < x.WorkRunLeast(m)) return false;
  }
  if (!WithinMost(model, m, d, t, CountOf(model, m, t) + 1)) return false;
  // Day d is still empty, so the runs of days off beside it are measured up to
  // d - 1 and from d + 1. During the day filling the days after d are empty up to
  // a reservation or the month's end; a run that reaches the end is not judged.
  const int least = x.RestRunLeast(m);
  if (least < 2) return true;
  if (d > 1 && !WorksOn(model, m, d - 1)) {
    const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
    int first = d - 1;
    while (first > earliest && !WorksOn(model, m, first - 1)) --first;
    if ((model.UsePrevMonth || first > 1) && d - first < least) return false;
  }
  int last = d;
  while (last < model.DayCount && !WorksOn(model, m, last + 1)) ++last;
  return last == d || last == model.DayCount || last - d >= least;
}

bool ExtraLimitsHold(const ConditionModel& model, int m, int d) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard) return true;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (x.DutyLeast(m, t) > 0 && CountOf(model, m, t) < x.DutyLeast(m, t)) return false;
  }
  const int code = model.Roster(m, d);
  if (!WithinMost(model, m, d, code, CountOf(model, m, code))) return false;
  return RunLongEnough(model, m, d) && RunLongEnough(model, m, d - 1) &&
         RunLongEnough(model, m, d + 1);
}

int ExtraLimitBreaches(const ConditionModel& model, int m) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard) return 0;
  int breaches = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    const int count = CountOf(model, m, t);
    if (x.DutyLeast(m, t) > 0) breaches += std::max(0, x.DutyLeast(m, t) - count);
    if (x.DutyMost(m, t) != kNoLimit) breaches += std::max(0, count - x.DutyMost(m, t));
  }
  if (x.WeekendsMost(m) != kNoLimit) {
    breaches += std::max(0, WeekendsWorked(model, m, /*with_day=*/0) - x.WeekendsMost(m));
  }
  // Each run once, from its first day in the period.
  for (int d = 1, last = 1; d <= model.DayCount; d = last + 1) {
    breaches += RunShortBy(model, m, d, last);
  }
  return breaches;
}

bool ExtraLimitsKept(const ConditionModel& model) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard) return true;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      if (!ExtraLimitsHold(model, m, d)) return false;
    }
  }
  return true;
}

}  // namespace tsumiki

// The optional hard limits of a member's month: least and most count of each duty,
// the most weekends worked, and the shortest runs of work and of days off.
#include "exact/exact_model.h"

namespace tsumiki::exact {
namespace {

void AddCountRows(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (x.DutyLeast(m, t) <= 0 && x.DutyMost(m, t) == kNoLimit) continue;
      LinearExpr count;
      for (int d = 1; d <= model.DayCount; ++d) count.Add(out.cells->Duty(m, d, t));
      out.lp.AddRow(count, x.DutyLeast(m, t),
                    x.DutyMost(m, t) == kNoLimit ? kUnbounded : x.DutyMost(m, t));
    }
  }
}

// One column per member and weekend, at least every day of that weekend's work;
// their sum is the weekends worked. The column need not be integer: its least
// value is already 0 or 1.
void AddWeekendRows(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (x.WeekendsMost(m) == kNoLimit) continue;
    LinearExpr weekends;
    for (int w = 1; w <= x.WeekendCount; ++w) {
      const int column = out.lp.AddColumn(0, 1, 0);
      for (int d = 1; d <= model.DayCount; ++d) {
        if (x.WeekendOf(d) != w) continue;
        LinearExpr worked = out.cells->Works(m, d);
        worked.terms.emplace_back(column, -1.0);
        out.lp.AddRow(worked, -kUnbounded, 0);
      }
      weekends.terms.emplace_back(column, 1.0);
    }
    out.lp.AddRow(weekends, 0, x.WeekendsMost(m));
  }
}

// No run of k < least days like `work` between two days unlike it:
//   unlike(s-1) + like(s..s+k-1) + unlike(s+k) <= k + 1.
// Runs reaching the month's end, or its start without the previous month in use,
// are not judged; rows over given days alone are left out.
void AddShortRunRows(const ConditionModel& model, ExactModel& out, int m, int least, bool work) {
  const CellVariables& cells = *out.cells;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  const double sign = work ? 1.0 : -1.0;  // like(d) = sign * Works(d) + (work ? 0 : 1)
  for (int k = 1; k < least; ++k) {
    for (int s = earliest + 1; s + k <= model.DayCount; ++s) {
      if (s + k - 1 < 1) continue;
      LinearExpr run;
      run.Add(cells.Works(m, s - 1), -sign);
      run.Add(cells.Works(m, s + k), -sign);
      for (int d = s; d < s + k; ++d) run.Add(cells.Works(m, d), sign);
      if (run.IsConstant()) continue;
      // unlike = 1 - like for the two ends; the constants of the forms move right.
      const double constant = work ? 2.0 : static_cast<double>(k);
      out.lp.AddRow(run, -kUnbounded, k + 1 - constant);
    }
  }
}

}  // namespace

void AddExtraRows(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard) return;
  AddCountRows(model, out);
  AddWeekendRows(model, out);
  for (int m = 1; m <= model.MemberCount; ++m) {
    AddShortRunRows(model, out, m, x.WorkRunLeast(m), true);
    AddShortRunRows(model, out, m, x.RestRunLeast(m), false);
  }
}

}  // namespace tsumiki::exact

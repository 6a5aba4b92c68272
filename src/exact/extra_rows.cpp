// The optional hard limits of a member's month: least and most count of each duty,
// the most weekends worked, and the shortest runs of work and of days off.
#include <algorithm>
#include <vector>

#include "exact/exact_model.h"

namespace tsumiki::exact {
namespace {

// In the relaxation, a column of slack (0..most) that reports as `slack` says;
// -1 in a month, which has none.
int AddSlackColumn(ExactModel& out, double most, ExtraSlack slack) {
  if (out.kind != ModelKind::kRelaxation) return -1;
  slack.column = out.lp.AddColumn(0, most, kSlackWeight);
  out.extra_slack.push_back(slack);
  return slack.column;
}

void AddSlack(ExactModel& out, LinearExpr& expr, double sign, double most, ExtraSlack slack) {
  const int column = AddSlackColumn(out, most, slack);
  if (column >= 0) expr.terms.emplace_back(column, sign);
}

void AddCountRows(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      LinearExpr count;
      for (int d = 1; d <= model.DayCount; ++d) count.Add(out.cells->Duty(m, d, t));
      if (x.DutyLeast(m, t) > 0) {
        LinearExpr least = count;
        AddSlack(out, least, 1.0, x.DutyLeast(m, t), {Shortfall::Kind::kDutyLeastShort, m, t});
        out.lp.AddRow(least, x.DutyLeast(m, t), kUnbounded);
      }
      if (x.DutyMost(m, t) != kNoLimit) {
        AddSlack(out, count, -1.0, model.DayCount, {Shortfall::Kind::kDutyMostOver, m, t});
        out.lp.AddRow(count, -kUnbounded, x.DutyMost(m, t));
      }
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
    AddSlack(out, weekends, -1.0, x.WeekendCount, {Shortfall::Kind::kWeekendsOver, m, 0});
    out.lp.AddRow(weekends, 0, x.WeekendsMost(m));
  }
}

// No run of k < least days like `work` between two days unlike it:
//   unlike(s-1) + like(s..s+k-1) + unlike(s+k) <= k + 1.
// Runs reaching the month's end, or its start without the previous month in use,
// are not judged; rows over given days alone are left out.
// The relaxation may cut the shortest run day by day: cut(j) (j = 1..least-1,
// cut(j) >= cut(j+1)) lets runs of least - j days through, and a row breaks by
// one at most, so cut(least - k) on the row of k days frees it.
void AddShortRunRows(const ConditionModel& model, ExactModel& out, int m, int least, bool work) {
  const CellVariables& cells = *out.cells;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  const double sign = work ? 1.0 : -1.0;  // like(d) = sign * Works(d) + (work ? 0 : 1)
  const Shortfall::Kind kind =
      work ? Shortfall::Kind::kWorkRunShorter : Shortfall::Kind::kRestRunShorter;
  std::vector<int> cut(static_cast<std::size_t>(std::max(least, 1)), -1);
  for (int j = 1; j < least; ++j) {
    cut[static_cast<std::size_t>(j)] = AddSlackColumn(out, 1, {kind, m, 0});
    if (j == 1 || cut[static_cast<std::size_t>(j)] < 0) continue;
    LinearExpr order;
    order.terms = {{cut[static_cast<std::size_t>(j - 1)], 1.0},
                   {cut[static_cast<std::size_t>(j)], -1.0}};
    out.lp.AddRow(order, 0, kUnbounded);
  }
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
      if (cut[static_cast<std::size_t>(least - k)] >= 0)
        run.terms.emplace_back(cut[static_cast<std::size_t>(least - k)], -1.0);
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

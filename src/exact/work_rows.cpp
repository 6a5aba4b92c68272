// The rules over a member's whole month: the consecutive-work limit (runs reach
// back into the previous month's tail when it is in use) and the work-day target.
#include "exact/exact_model.h"

namespace tsumiki::exact {

// No window of the member's LongestWorkRun + 1 days that holds a day to build is
// all work.
void AddWorkRunRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int limit = LongestWorkRun(model, m);
    if (limit <= 0) continue;
    for (int start = earliest; start + limit <= model.DayCount; ++start) {
      if (!cells.Open(start + limit)) continue;  // the window lies in the given days
      LinearExpr run;
      for (int day = start; day <= start + limit; ++day) run.Add(cells.Works(m, day));
      if (run.IsConstant()) continue;
      out.lp.AddRow(run, -kUnbounded, limit);
    }
  }
}

// A member with days off set works the target over the month (given days
// included), or down to the fewest work days a wider range of days off allows; a
// target of the whole month with no range means no days off were set, and bounds
// nothing.
void AddTargetRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int target = model.WorkDayTarget(m);
    const int least = LeastWorkDays(model, m);
    if (target == model.DayCount && least == 0) continue;
    LinearExpr work;
    for (int d = 1; d <= model.DayCount; ++d) work.Add(cells.Works(m, d));
    if (out.kind == ModelKind::kRelaxation) {
      TargetSlack slack{m, out.lp.AddColumn(0, model.DayCount, kSlackWeight),
                        out.lp.AddColumn(0, model.DayCount, kSlackWeight)};
      work.terms.emplace_back(slack.fewer_column, 1.0);
      work.terms.emplace_back(slack.more_column, -1.0);
      out.target_slack.push_back(slack);
    }
    const int row = static_cast<int>(out.lp.Rows().size());
    out.lp.AddRow(work, least, target);
    if (least < target && out.lp.Rows().size() > static_cast<std::size_t>(row)) {
      out.widened_targets.push_back(row);
    }
  }
}

}  // namespace tsumiki::exact

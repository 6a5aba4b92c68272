// Staffing: each duty of each day gets exactly the staff it needs. Work-day
// targets above the staffing are met with extra staff, which every duty type but
// the last (the only one, when there is one) may take.
#include "exact/exact_model.h"

namespace tsumiki::exact {

void AddStaffingRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    if (!cells.Open(d)) continue;
    for (int t = 1; t <= model.TypeCount; ++t) {
      const int need = model.NeedTable(t, d);
      const bool may_exceed = t < model.TypeCount || model.TypeCount == 1;
      LinearExpr staff;
      for (int m = 1; m <= model.MemberCount; ++m) staff.Add(cells.Duty(m, d, t));
      if (out.kind == ModelKind::kRelaxation && need > 0) {
        const int slack = out.lp.AddColumn(0, need, kSlackWeight);
        staff.terms.emplace_back(slack, 1.0);
        out.staff_slack.push_back(StaffSlack{d, t, slack});
      }
      out.lp.AddRow(staff, need, may_exceed ? kUnbounded : need);
    }
  }
}

}  // namespace tsumiki::exact

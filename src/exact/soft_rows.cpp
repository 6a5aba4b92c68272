// The month's objective where the planner weighs wishes and desired staffing: a
// wish missed costs its weight, a member short of the desired staffing costs the
// duty's weight. Without either, the month model has no objective and its first
// solution ends the solve.
#include "exact/exact_model.h"

namespace tsumiki::exact {
namespace {

// A wish for a duty is missed unless its cell is set: weight * (1 - x). The
// constant part of the cost says nothing about which month is best and is left
// out; a wish the member's schedule bars has no column and stays missed.
// A wish for a day off is missed by every duty of the day: weight * works.
void AddWishCosts(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      const int weight = x.WishWeight(m, d);
      if (weight <= 0 || !out.cells->Open(d)) continue;
      const LinearExpr missed =
          x.WishDuty(m, d) == kRestDay ? out.cells->Works(m, d) : out.cells->Duty(m, d, x.WishDuty(m, d));
      const double sign = x.WishDuty(m, d) == kRestDay ? 1.0 : -1.0;
      for (const auto& [column, coefficient] : missed.terms) out.lp.AddCost(column, sign * weight * coefficient);
    }
  }
}

// One whole shortfall column per day and duty whose desired staffing lies above
// the need: staff + short >= desired, short no more than desired - need (the
// need is held anyway).
void AddDesiredCosts(const ConditionModel& model, ExactModel& out) {
  const ExtraConditions& x = model.Extra;
  for (int t = 1; t <= model.TypeCount; ++t) {
    const double weight = x.DesiredWeight(t);
    if (weight <= 0) continue;
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      const int above = x.DesiredStaff(t, d) - model.NeedTable(t, d);
      if (above <= 0 || !out.cells->Open(d)) continue;
      LinearExpr staff;
      for (int m = 1; m <= model.MemberCount; ++m) staff.Add(out.cells->Duty(m, d, t));
      staff.terms.emplace_back(out.lp.AddColumn(0, above, weight), 1.0);
      out.lp.AddRow(staff, x.DesiredStaff(t, d), kUnbounded);
    }
  }
}

}  // namespace

void AddSoftObjective(const ConditionModel& model, ExactModel& out) {
  if (!model.Extra.HasSoft) return;
  out.has_objective = true;
  AddWishCosts(model, out);
  AddDesiredCosts(model, out);
}

}  // namespace tsumiki::exact

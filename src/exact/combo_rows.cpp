// Combinations of listed members on one duty and day: a forbidden record bars
// `Count` of them together; a required record asks for `Count` of them, as far as
// the day's need of that duty allows.
#include <algorithm>
#include <cstdlib>

#include "exact/exact_model.h"

namespace tsumiki::exact {

namespace {

// The roster rows of a record's listed members, a number listed twice counted
// twice; numbers that name no member are passed over.
std::vector<int> ListedRows(const ConditionModel& model, const ComboRule& rule) {
  std::vector<int> rows;
  for (int k = 1; k <= kComboMembers; ++k) {
    const int number = rule.Members[static_cast<std::size_t>(k)];
    if (number < 1) continue;
    for (int m = 1; m <= model.MemberCount; ++m) {
      if (std::atof(model.MemberInfo(m, 1).c_str()) == number) {
        rows.push_back(m);
        break;
      }
    }
  }
  return rows;
}

LinearExpr OnDuty(const CellVariables& cells, const std::vector<int>& rows, int d, int t) {
  LinearExpr together;
  for (int m : rows) together.Add(cells.Duty(m, d, t));
  return together;
}

void AddForbidden(const ConditionModel& model, ExactModel& out) {
  for (int r = 1; r <= model.ForbiddenCombos.Hi(); ++r) {
    const ComboRule& rule = model.ForbiddenCombos(r);
    if (rule.TypeIndex <= 0 || rule.Count < 1) continue;
    const std::vector<int> rows = ListedRows(model, rule);
    if (static_cast<int>(rows.size()) < rule.Count) continue;
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      if (!out.cells->Open(d)) continue;
      for (int t = 1; t <= model.TypeCount; ++t) {
        if (rule.TypeIndex != t && rule.TypeIndex != kAnyType) continue;
        out.lp.AddRow(OnDuty(*out.cells, rows, d, t), -kUnbounded, rule.Count - 1);
      }
    }
  }
}

void AddRequired(const ConditionModel& model, ExactModel& out) {
  for (int r = 1; r <= model.RequiredCombos.Hi(); ++r) {
    const ComboRule& rule = model.RequiredCombos(r);
    const int b = rule.TypeIndex;
    if (b < 1 || b > model.TypeCount) continue;
    const std::vector<int> rows = ListedRows(model, rule);
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      if (!out.cells->Open(d)) continue;
      const int want = std::min(rule.Count, model.NeedTable(b, d));
      if (want <= 0) continue;
      LinearExpr on = OnDuty(*out.cells, rows, d, b);
      if (out.kind == ModelKind::kRelaxation) {
        const int slack = out.lp.AddColumn(0, want, kSlackWeight);
        on.terms.emplace_back(slack, 1.0);
        out.combo_slack.push_back(ComboSlack{r, d, slack});
      }
      out.lp.AddRow(on, want, kUnbounded);
    }
  }
}

}  // namespace

void AddComboRows(const ConditionModel& model, ExactModel& out) {
  AddForbidden(model, out);
  AddRequired(model, out);
}

}  // namespace tsumiki::exact

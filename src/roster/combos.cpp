#include "roster/combos.h"

#include <algorithm>

#include "conditions/load_lookups.h"

namespace tsumiki {
namespace {

int RecordCount(const IndexArray<ComboRule>& records, int declared) {
  return std::min(declared, records.Hi());
}

}  // namespace

bool ComboLists(const ConditionModel& model, int m, const ComboRule& rule) {
  const double own = LeadingNumber(model.MemberInfo(m, 1));
  for (int k = 1; k <= kComboMembers; ++k) {
    const int number = rule.Members[static_cast<std::size_t>(k)];
    // Cheap test on the number first; the row lookup settles duplicates.
    if (number >= 1 && own == static_cast<double>(number) &&
        MemberRowOfNumber(model, number) == m) {
      return true;
    }
  }
  return false;
}

int ComboMembersOnDuty(const ConditionModel& model, int d, int t, const ComboRule& rule) {
  int count = 0;
  for (int k = 1; k <= kComboMembers; ++k) {
    const int number = rule.Members[static_cast<std::size_t>(k)];
    if (number < 1) continue;
    const int row = MemberRowOfNumber(model, number);
    if (row >= 1 && model.Roster(row, d) == t) ++count;
  }
  return count;
}

bool ForbiddenComboHit(const ConditionModel& model, int m, int d, int t) {
  const int records = RecordCount(model.ForbiddenCombos, model.ForbiddenComboCount);
  for (int r = 1; r <= records; ++r) {
    const ComboRule& rule = model.ForbiddenCombos(r);
    if (rule.TypeIndex != t && rule.TypeIndex != kAnyType) continue;
    if (rule.Count < 1 || !ComboLists(model, m, rule)) continue;
    if (ComboMembersOnDuty(model, d, t, rule) >= rule.Count - 1) return true;
  }
  return false;
}

bool ForbiddenComboBreached(const ConditionModel& model, int m, int d) {
  const int duty = model.Roster(m, d);
  if (duty < 1) return false;
  const int records = RecordCount(model.ForbiddenCombos, model.ForbiddenComboCount);
  for (int r = 1; r <= records; ++r) {
    const ComboRule& rule = model.ForbiddenCombos(r);
    if (rule.TypeIndex != duty && rule.TypeIndex != kAnyType) continue;
    if (rule.Count < 1 || !ComboLists(model, m, rule)) continue;
    if (ComboMembersOnDuty(model, d, duty, rule) >= rule.Count) return true;
  }
  return false;
}

int FirstRequiredCombo(const ConditionModel& model, int t) {
  if (t < 1) return 0;  // a day without duty has no combination, nor has an empty record
  const int records = RecordCount(model.RequiredCombos, model.RequiredComboCount);
  for (int r = 1; r <= records; ++r) {
    if (model.RequiredCombos(r).TypeIndex == t) return r;
  }
  return 0;
}

int RequiredShortfall(const ConditionModel& model, int d, int t) {
  const int r = FirstRequiredCombo(model, t);
  if (r == 0) return 0;
  const ComboRule& rule = model.RequiredCombos(r);
  return std::max(0, rule.Count - ComboMembersOnDuty(model, d, t, rule));
}

}  // namespace tsumiki

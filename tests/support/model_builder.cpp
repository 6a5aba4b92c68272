#include "support/model_builder.h"

#include <stdexcept>

namespace tsumiki::testing {
namespace {

void Tally(ConditionModel& model, int m, int t) {
  model.TypeTally(m, t) += 1;
  model.TypeTally(m, kTallyTotal) += 1;
  model.WorkDays(m) += 1;
}

ComboRule MakeRule(int type, int count, const std::vector<int>& rows) {
  if (rows.size() > static_cast<std::size_t>(kComboMembers)) {
    throw std::invalid_argument("too many members in a combination");
  }
  ComboRule rule;
  rule.TypeIndex = type;
  rule.Count = count;
  int k = 0;
  for (int row : rows) rule.Members[static_cast<std::size_t>(++k)] = ModelBuilder::NumberOf(row);
  return rule;
}

}  // namespace

ModelBuilder::ModelBuilder(int days, int types, int members) {
  model_.Resize(days, types, members);
  model_.StartDay = 1;
  for (int t = 1; t <= types; ++t) model_.TypeAbbrev(t) = "T" + std::to_string(t);
  for (int m = 1; m <= members; ++m) {
    model_.MemberInfo(m, 1) = std::to_string(NumberOf(m));
    model_.MemberInfo(m, 2) = "member " + std::to_string(m);
    model_.WorkDayTarget(m) = days;
    model_.MemberOrder(m) = m;
  }
}

ModelBuilder& ModelBuilder::Need(int t, int d, int staff) {
  const int total = model_.TypeCount + 1;
  model_.NeedTable(total, d) += staff - model_.NeedTable(t, d);
  model_.NeedTable(t, d) = staff;
  return *this;
}

ModelBuilder& ModelBuilder::NeedEveryDay(int t, int staff) {
  for (int d = 1; d <= model_.DayCount; ++d) Need(t, d, staff);
  return *this;
}

ModelBuilder& ModelBuilder::Ban(int m, int d, int mask) {
  model_.DutyBanMask(m, d) = mask;
  return *this;
}

ModelBuilder& ModelBuilder::NextDayBan(int t, int mask) {
  model_.NextDayBan(t) = mask;
  return *this;
}

ModelBuilder& ModelBuilder::ForbiddenPattern(const std::vector<int>& columns) {
  const int p = ++model_.ForbiddenPatternCount;
  int k = 0;
  for (int c : columns) {
    ++k;
    if (c > 0) {
      model_.ForbiddenPatterns(p, k) = c;
      model_.ForbiddenPatterns(p, 0) += 1;
    }
  }
  return *this;
}

ModelBuilder& ModelBuilder::RequiredPattern(int first, int follower) {
  const int p = ++model_.RequiredPatternCount;
  model_.RequiredPatterns(p, 1) = first;
  model_.RequiredPatterns(p, 2) = follower;
  model_.RequiredPatterns(p, 0) = (first > 0 ? 1 : 0) + (follower > 0 ? 1 : 0);
  return *this;
}

ModelBuilder& ModelBuilder::ForbiddenCombo(int type, int count, const std::vector<int>& rows) {
  model_.ForbiddenCombos(++model_.ForbiddenComboCount) = MakeRule(type, count, rows);
  return *this;
}

ModelBuilder& ModelBuilder::RequiredCombo(int type, int count, const std::vector<int>& rows) {
  model_.RequiredCombos(++model_.RequiredComboCount) = MakeRule(type, count, rows);
  return *this;
}

ModelBuilder& ModelBuilder::Reserve(int m, int d, int t) {
  model_.Fixed(m, d) = t;
  model_.Roster(m, d) = t;
  Tally(model_, m, t);
  return *this;
}

ModelBuilder& ModelBuilder::Assign(int m, int d, int t) {
  model_.Roster(m, d) = t;
  Tally(model_, m, t);
  return *this;
}

ModelBuilder& ModelBuilder::Target(int m, int target) {
  model_.WorkDayTarget(m) = target;
  return *this;
}

ModelBuilder& ModelBuilder::MaxConsecWork(int days) {
  model_.MaxConsecWork = days;
  return *this;
}

ModelBuilder& ModelBuilder::WorkFocus(bool on) {
  model_.WorkFocus = on;
  return *this;
}

ModelBuilder& ModelBuilder::PrevMonth(int m, const std::vector<int>& last_days_first) {
  model_.UsePrevMonth = true;
  int j = 0;
  for (int duty : last_days_first) model_.PrevMonthTail(m, ++j) = duty;
  model_.Roster(m, 0) = model_.PrevMonthTail(m, 1);
  return *this;
}

ModelBuilder& ModelBuilder::UsePrevMonth(bool on) {
  model_.UsePrevMonth = on;
  return *this;
}

}  // namespace tsumiki::testing

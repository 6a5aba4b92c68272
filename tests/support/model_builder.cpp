#include "support/model_builder.h"

#include <algorithm>
#include <stdexcept>

#include "roster/roster_change.h"
#include "support/roster_edit.h"

namespace tsumiki::testing {
namespace {

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
  RosterEdit::SetFixed(model_, m, d, t);
  SetDuty(model_, m, d, t);
  return *this;
}

ModelBuilder& ModelBuilder::Assign(int m, int d, int t) {
  SetDuty(model_, m, d, t);
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
  RosterEdit::WriteUncounted(model_, m, 0, model_.PrevMonthTail(m, 1));
  return *this;
}

ModelBuilder& ModelBuilder::UsePrevMonth(bool on) {
  model_.UsePrevMonth = on;
  return *this;
}

}  // namespace tsumiki::testing

namespace tsumiki::testing {
namespace {

int TypeBit(int t) {
  return 1 << (t - 1);
}

}  // namespace

ConditionModel BuildWorkplace(const WorkplaceShape& shape) {
  const int members = shape.members;
  const int types = shape.types;
  const int days = shape.days;
  ModelBuilder b(days, types, members);
  const bool nights = types >= 4;
  const int night = nights ? types - 1 : 0;
  const int after = nights ? types : 0;
  const int plain_types = nights ? types - 2 : types;

  // Previous month: some members ended on a night duty.
  int tail_nights = 0;
  if (shape.prev_month) {
    for (int m = 1; m <= members; ++m) {
      std::vector<int> tail;
      for (int j = 1; j <= 10; ++j) tail.push_back((m + j) % 3 == 0 ? 1 : 0);
      if (nights && m % 7 == 1) {
        tail[0] = night;
        ++tail_nights;
      }
      b.PrevMonth(m, tail);
    }
  }

  // Staffing: about half the members work on a weekday, fewer at weekends.
  for (int d = 1; d <= days; ++d) {
    const bool weekend = d % 7 == 6 || d % 7 == 0;
    int night_staff = 0;
    if (nights) {
      night_staff = std::max(1, members / 15);
      b.Need(night, d, night_staff);
      const int yesterday = d == 1 ? tail_nights : b.model().NeedTable(night, d - 1);
      b.Need(after, d, yesterday);
    }
    b.Need(1, d, std::max(1, (weekend ? members / 8 : members / 5)));
    for (int t = 2; t <= plain_types; ++t) {
      b.Need(t, d, std::max(1, members / (weekend ? 6 * types : 3 * types)));
    }
  }

  for (int m = 1; m <= members; ++m) {
    b.Target(m, days - shape.days_off - m % 3);
    for (int d = 2; d <= days; ++d) {
      if ((m * 7 + d) % 11 == 0) b.Ban(m, d, kAnyType);
    }
    if (nights && m % 5 == 0) {
      // No nights for these members; they hold the reservations instead.
      for (int d = 1; d <= days; ++d) {
        if (b.model().DutyBanMask(m, d) == 0) b.Ban(m, d, TypeBit(night));
      }
      const int d1 = (m * 3) % days + 1;
      const int d2 = (m * 5) % days + 1;
      // Day 1 may have to follow a night of the previous month.
      if (d1 > 1 && b.model().DutyBanMask(m, d1) != kAnyType) b.Reserve(m, d1, 1);
      if (d2 > 1 && d2 != d1 && b.model().DutyBanMask(m, d2) != kAnyType) b.Reserve(m, d2, 1);
    } else if (types >= 3 && m % 4 == 0) {
      for (int d = 1; d <= days; d += 3) {
        if (b.model().DutyBanMask(m, d) == 0) b.Ban(m, d, TypeBit(2));
      }
    }
  }

  if (nights) {
    int all_but_after = 0;
    for (int t = 1; t <= types; ++t) all_but_after |= t == after ? 0 : TypeBit(t);
    b.NextDayBan(night, all_but_after);
    b.NextDayBan(after, TypeBit(night) | (types >= 5 ? TypeBit(2) : 0));
    b.RequiredPattern(night, after);
    b.ForbiddenPattern({night, after, night});
    if (members >= 2) b.ForbiddenCombo(night, 2, {1, 2});
  }
  if (types >= 6) b.NextDayBan(3, TypeBit(2));
  if (types >= 3) b.ForbiddenPattern({3, 3, 3});
  if (types >= 2) b.ForbiddenPattern({2, 2, 2});
  if (members >= 5) b.ForbiddenCombo(kAnyType, 3, {3, 4, 5});
  if (members >= 10) b.RequiredCombo(1, 1, {6, 7, 8, 9});
  b.MaxConsecWork(5);
  b.WorkFocus(shape.work_focus);
  return b.Build();
}

}  // namespace tsumiki::testing

#include "conditions/condition_model.h"

#include <algorithm>

namespace tsumiki {

void ConditionModel::Resize(int day_count, int type_count, int member_count) {
  DayCount = day_count;
  TypeCount = type_count;
  MemberCount = member_count;
  const int members = member_count + 1;
  const int days = day_count + 1;
  Roster.store_.Reset(0, members, 0, days);
  Fixed.store_.Reset(0, members, 0, days);
  PrevMonthTail.Reset(0, members, 0, kPrevMonthDays + 1);
  NeedTable.Reset(0, type_count + 2, 0, days);
  TypeAbbrev.Reset(0, type_count + 1);
  NextDayBan.Reset(0, type_count + 1);
  ForbiddenPatterns.Reset(0, kMaxPatterns, 0, 6);
  RequiredPatterns.Reset(0, kMaxPatterns, 0, 4);
  MemberInfo.Reset(0, members, 0, 3);
  TypeTally.store_.Reset(0, members, 0, 13);
  WorkDays.store_.Reset(0, members);
  PastTotals.store_.Reset(0, members, 0, kTallyTotal);
  WorkDayTarget.Reset(0, members);
  DutyBanMask.Reset(0, members, 0, days);
  ForbiddenCombos.Reset(0, kMaxComboRows);
  RequiredCombos.Reset(0, kMaxComboRows);
  MemberOrder.Reset(0, members);
  DayKeys.Reset(0, days);
  Extra.Resize(day_count, type_count, member_count);
}

int LeastWorkDays(const ConditionModel& model, int m) {
  const int target = model.WorkDayTarget(m);
  const int most_off = model.Extra.DayOffMost(m);
  if (most_off == kNoLimit) return target == model.DayCount ? 0 : target;
  return std::clamp(model.DayCount - most_off, 0, target);
}

}  // namespace tsumiki

#include "check/roster_totals.h"

namespace tsumiki {
namespace {

bool IsDuty(const ConditionModel& model, int code) {
  return code >= 1 && code <= model.TypeCount;
}

// Single work and rest runs of member m. A run is known to be single only when
// the next day differs, so the run open on the last day is never counted.
void CountSingles(const ConditionModel& model, int m, MemberTotals& totals) {
  const int first = model.UsePrevMonth ? 0 : 1;
  bool run_works = model.Roster(m, first) != kRestDay;
  int run = 0;
  for (int d = first; d <= model.DayCount; ++d) {
    const bool works = model.Roster(m, d) != kRestDay;
    if (d > first && works != run_works) {
      // Runs of 31 days and more count too: the score's scan treats them alike.
      if (run == 1 || run >= 31) ++(run_works ? totals.single_work : totals.single_rest);
      run = 0;
      run_works = works;
    }
    ++run;
  }
}

}  // namespace

RosterTotals CountRosterTotals(const ConditionModel& model) {
  RosterTotals totals;
  const auto types = static_cast<std::size_t>(model.TypeCount);
  totals.days.resize(static_cast<std::size_t>(model.DayCount));
  for (int d = 1; d <= model.DayCount; ++d) {
    DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    day.staff.assign(types, 0);
    for (int t = 1; t <= model.TypeCount; ++t) {
      day.need.push_back(model.NeedTable(t, d));
      day.desired.push_back(model.Extra.DesiredStaff(t, d));
    }
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    MemberTotals member;
    member.duties.assign(types, 0);
    member.target = model.WorkDayTarget(m);
    for (int d = 1; d <= model.DayCount; ++d) {
      const int code = model.Roster(m, d);
      if (IsDuty(model, code)) {
        ++member.duties[static_cast<std::size_t>(code - 1)];
        ++totals.days[static_cast<std::size_t>(d - 1)].staff[static_cast<std::size_t>(code - 1)];
        ++member.work_days;
      } else if (code == kRestDay) {
        ++member.days_off;
      }
      if (model.Extra.WishWeight(m, d) > 0)
        ++(model.Extra.WishDuty(m, d) == code ? member.wishes_granted : member.wishes_missed);
    }
    CountSingles(model, m, member);
    totals.has_wishes |= member.wishes_granted + member.wishes_missed > 0;
    totals.members.push_back(std::move(member));
  }
  totals.desired_days.assign(types, 0);
  totals.desired_reached.assign(types, 0);
  for (const DayTotals& day : totals.days) {
    for (std::size_t t = 0; t < types; ++t) {
      if (day.desired[t] <= 0) continue;
      ++totals.desired_days[t];
      if (day.staff[t] >= day.desired[t]) ++totals.desired_reached[t];
    }
  }
  for (const int days : totals.desired_days) totals.has_desired |= days > 0;
  return totals;
}

}  // namespace tsumiki

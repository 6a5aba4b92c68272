#include "creation/feasibility_check.h"

#include <algorithm>
#include <vector>

#include "conditions/layout.h"
#include "creation/feasibility_detail.h"
#include "creation/slot_matching.h"
#include "roster/duty_mask.h"
#include "roster/duty_refusal.h"
#include "roster/patterns.h"
#include "roster/refusal_texts.h"
#include "roster/run_lengths.h"

namespace tsumiki {
namespace feasibility {

bool IsDutyType(const ConditionModel& model, int t) {
  return t >= 1 && t <= model.TypeCount;
}

namespace {

int WorkedBeforeStart(const ConditionModel& model, int m) {
  int count = 0;
  for (int d = 1; d < model.StartDay; ++d) {
    if (IsDutyType(model, model.Roster(m, d))) ++count;
  }
  return count;
}

}  // namespace

bool CouldWork(const ConditionModel& model, int m, int d) {
  if (IsDutyType(model, model.Roster(m, d))) return true;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (!MaskHasDuty(model.DutyBanMask(m, d), t)) return true;
  }
  return false;
}

// The days before StartDay as they stand, then every day that is not barred as
// long as the work run stays within 連続勤務上限: working whenever allowed is the
// longest such roster.
int MostWorkDays(const ConditionModel& model, int m) {
  int count = WorkedBeforeStart(model, m);
  int run = WorkRunBefore(model, m, model.StartDay) - 1;
  const int longest = LongestWorkRun(model, m);
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    if (CouldWork(model, m, d) && (longest == 0 || run < longest)) {
      ++count;
      ++run;
    } else {
      run = 0;
    }
  }
  return count;
}

namespace {

int NextDayBanAfter(const ConditionModel& model, int duty) {
  return IsDutyType(model, duty) ? model.NextDayBan(duty) : 0;
}

// Why member m can never take duty t on day d, judged only by what the passes
// cannot change; kNone when they might.
DutyRefusal FixedRefusal(const ConditionModel& model, int m, int d, int t) {
  if (const DutyRefusal first = CellOrRequestRefusal(model, m, d, t); first != DutyRefusal::kNone) {
    return first;
  }
  // Yesterday's duty is known for the days before StartDay and for reservations.
  const int yesterday = model.Roster(m, d - 1);
  const int follower = IsDutyType(model, yesterday) ? RequiredFollower(model, yesterday) : 0;
  if (follower == t) return DutyRefusal::kNone;  // the sequence puts the member on t
  if (MaskHasDuty(NextDayBanAfter(model, yesterday), t)) return DutyRefusal::kNextDayBan;
  if (follower != 0) return DutyRefusal::kRequiredPattern;
  if (d != model.DayCount) {
    const int reserved = model.Fixed(m, d + 1);
    if (reserved > 0 && MaskHasDuty(NextDayBanAfter(model, t), reserved)) {
      return DutyRefusal::kNextDayReservation;
    }
  }
  if (ExtraLimitBars(model, m, d, t)) return DutyRefusal::kExtraLimit;
  if (model.WorkDays(m) >= model.WorkDayTarget(m)) return DutyRefusal::kTargetReached;
  return DutyRefusal::kNone;
}

}  // namespace

bool MayTake(const ConditionModel& model, int m, int d, int t) {
  const DutyRefusal refusal = FixedRefusal(model, m, d, t);
  return refusal == DutyRefusal::kNone || refusal == DutyRefusal::kOnThisDuty;
}

}  // namespace feasibility

namespace {

using namespace feasibility;
namespace txt = refusal_text;

std::optional<std::string> TotalProblem(const ConditionModel& model) {
  long asked = 0;
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    for (int t = 1; t <= model.TypeCount; ++t) asked += model.NeedTable(t, d);
  }
  long allowed = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    allowed += model.WorkDayTarget(m) - WorkedBeforeStart(model, m);
  }
  if (asked <= allowed) return std::nullopt;
  return layout::Format(txt::kTotalShortfall, {std::to_string(asked), std::to_string(allowed),
                                               std::to_string(asked - allowed)});
}

std::optional<std::string> MemberProblem(const ConditionModel& model) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int most = MostWorkDays(model, m);
    const int least = LeastWorkDays(model, m);
    if (least <= most) continue;
    return layout::Format(txt::kMemberShortfall,
                          {model.MemberInfo(m, 1), model.MemberInfo(m, 2), std::to_string(least),
                           std::to_string(most)});
  }
  return std::nullopt;
}

std::optional<std::string> DayProblem(const ConditionModel& model, int d, int t) {
  const int need = model.NeedTable(t, d);
  if (need <= 0) return std::nullopt;
  int able = 0;
  std::string lines;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const DutyRefusal refusal = FixedRefusal(model, m, d, t);
    if (MayTake(model, m, d, t)) ++able;
    const int held = model.Roster(m, d);
    lines += layout::Format(
        txt::kMemberLine,
        {model.MemberInfo(m, 1), model.MemberInfo(m, 2),
         RefusalText(refusal, IsDutyType(model, held) ? model.TypeAbbrev(held) : "")});
    lines += '\n';
  }
  if (able >= need) return std::nullopt;
  return layout::Format(txt::kDayShortfall, {RosterDayText(model, d), model.TypeAbbrev(t),
                                             std::to_string(need), std::to_string(able)}) +
         "\n" + lines + std::string(txt::kDayShortfallAdvice);
}

// The day's duties together: each member takes one duty a day, so the members who
// may take each duty alone can still be too few for all of them at once.
std::optional<std::string> WholeDayProblem(const ConditionModel& model, int d) {
  std::vector<int> need(static_cast<std::size_t>(model.TypeCount));
  int asked = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    need[static_cast<std::size_t>(t - 1)] = std::max(0, model.NeedTable(t, d));
    asked += need[static_cast<std::size_t>(t - 1)];
  }
  if (asked == 0) return std::nullopt;
  std::vector<std::vector<bool>> able(static_cast<std::size_t>(model.MemberCount),
                                      std::vector<bool>(need.size()));
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      able[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(t - 1)] =
          need[static_cast<std::size_t>(t - 1)] > 0 && MayTake(model, m, d, t);
    }
  }
  const int most = MostPlacesFilled(able, need);
  if (most >= asked) return std::nullopt;

  std::string duties;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (need[static_cast<std::size_t>(t - 1)] == 0) continue;
    if (!duties.empty()) duties += txt::kDutyJoiner;
    duties += layout::Format(txt::kDutyNeed, {model.TypeAbbrev(t),
                                              std::to_string(need[static_cast<std::size_t>(t - 1)])});
  }
  std::string lines;
  for (int m = 1; m <= model.MemberCount; ++m) {
    std::string can;
    int first_needed = 0;
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (need[static_cast<std::size_t>(t - 1)] == 0) continue;
      if (first_needed == 0) first_needed = t;
      if (!able[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(t - 1)]) continue;
      if (!can.empty()) can += txt::kDutyJoiner;
      can += model.TypeAbbrev(t);
    }
    const int held = model.Roster(m, d);
    const std::string reason =
        can.empty() ? RefusalText(FixedRefusal(model, m, d, first_needed),
                                  IsDutyType(model, held) ? model.TypeAbbrev(held) : "")
                    : layout::Format(txt::kMayTakeDuties, {can});
    lines += layout::Format(txt::kMemberLine, {model.MemberInfo(m, 1), model.MemberInfo(m, 2), reason});
    lines += '\n';
  }
  return layout::Format(txt::kWholeDayShortfall, {RosterDayText(model, d), duties,
                                                  std::to_string(asked), std::to_string(most)}) +
         "\n" + lines + std::string(txt::kDayShortfallAdvice);
}

}  // namespace

std::optional<std::string> FindStaffingProblem(const ConditionModel& model) {
  if (auto problem = TotalProblem(model)) return problem;
  // Without the work-day adjustment a member left short is a question to the
  // planner, who may keep the month and adjust it by hand.
  if (model.WorkDayAdjust) {
    if (auto problem = MemberProblem(model)) return problem;
  }
  if (auto problem = ExtraLimitProblem(model)) return problem;
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (auto problem = DayProblem(model, d, t)) return problem;
    }
  }
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    if (auto problem = WholeDayProblem(model, d)) return problem;
  }
  return std::nullopt;
}

}  // namespace tsumiki

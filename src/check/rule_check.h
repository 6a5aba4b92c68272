#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// A roster code that is no duty type: a cell whose text is no abbreviation (a
// hand edit such as "x"). It counts as neither work nor rest in every rule.
inline constexpr int kUnknownDuty = -1;

// The rules a finished roster is judged by, one kind per way of breaking them.
enum class RuleKind {
  kUnknownDuty,           // a cell holds no duty type
  kStaffShort,            // fewer staff on a duty than the day needs
  kStaffOver,             // more staff than needed where extra staff is not allowed
  kReservation,           // a reserved duty is not in the roster
  kDayOffRequest,         // work on a requested day off
  kDutyBan,               // a duty the member cannot take that day
  kNextDayBan,            // a duty barred on the day after the previous one
  kForbiddenSequence,     // a forbidden run of duties (禁止パターン)
  kRequiredSequence,      // the duty that must follow another is missing (必須パターン)
  kForbiddenCombination,  // listed members together on one duty (組合せ禁止)
  kRequiredCombination,   // too few listed members on a duty (組合せ必須)
  kConsecutiveWork,       // a run of work days over 連続勤務上限
  kWorkDayTarget,         // work days off the member's target
  kDutyCount,             // a duty taken fewer or more times than the member's limits
  kRestRunShort,          // a run of days off shorter than the member's shortest
  kWorkRunShort,          // a run of work days shorter than the member's shortest
  kWeekendsOver,          // more weekends worked than the member's most
};

// One broken rule. `member` is the member row (0 when the rule concerns a day as a
// whole: staffing, combinations); `day` the roster day 1..DayCount (0 for the
// month as a whole: work-day targets).
struct Finding {
  int member = 0;
  int day = 0;
  RuleKind rule = RuleKind::kUnknownDuty;
  std::string reason;  // one Japanese sentence for the planner
  int duty = 0;        // the duty type a day's finding concerns (staffing, combinations)
};

// Every rule the roster (model.Roster, days 1..DayCount) breaks, ordered by day
// then member. The previous month's last ten days take part where a rule spans
// the month's start. A duty barred that day is not reported on a cell that holds
// its own reservation: the planner fixed it so. Extra staff is allowed, as the
// work-day adjustment places it, on every duty type but the last while
// 勤務日数調整 is on.
std::vector<Finding> CheckRosterRules(const ConditionModel& model);

// The rule's short Japanese name ("翌日禁止") and a stable identifier for scripts
// ("next_day_ban").
std::string_view RuleName(RuleKind rule);
std::string_view RuleId(RuleKind rule);

}  // namespace tsumiki

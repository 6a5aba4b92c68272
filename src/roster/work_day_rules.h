#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// The answer of the rule tests that judge "may this change be made?".
enum class RuleVerdict { kAccept, kRefuse };
inline constexpr RuleVerdict kRuleAccept = RuleVerdict::kAccept;
inline constexpr RuleVerdict kRuleRefuse = RuleVerdict::kRefuse;

// Whether member m may take duty t on day d on top of the current roster: the
// member's schedule, the next-day bans towards the previous and the following day
// (the following day only before `last`), the forbidden sequences and the
// consecutive-work limit. kRuleAccept or kRuleRefuse.
RuleVerdict CanAddDuty(const ConditionModel& model, int m, int d, int t, int last);

// CanAddDuty with m's work run around d (WorkRunAround) measured by the caller.
RuleVerdict CanAddDutyWithWorkRun(const ConditionModel& model, int m, int d, int t, int last,
                                  int work_run);

// The strict test of the work-day adjustment for turning m's rest day d into
// work: refused when the day before or the day after is a rest day, or when d is
// a single rest day. kRuleAccept or kRuleRefuse.
RuleVerdict SingleDayGuard(const ConditionModel& model, int m, int d);

// 1 + the work days directly after day d; day DayCount + 1 always reads as rest.
int WorkRunAfter(const ConditionModel& model, int m, int d);

}  // namespace tsumiki

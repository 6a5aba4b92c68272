#pragma once

#include <string>

#include "conditions/condition_model.h"
#include "roster/work_day_rules.h"

namespace tsumiki {

// Which per-member rules a swap is held to.
enum class SwapRule {
  kWithWorkDayTarget,  // 勤務日数判定要: neither member may go beyond the work-day target
  kWithoutWorkDayTarget,
};

// Whether the roster, as it stands after a swap of a and b on day d, is
// acceptable for both members: work and rest run limits, the work-day target
// (kWithWorkDayTarget only), reserved cells, forbidden and required member
// combinations, the concentration rule, and for each member now on duty every rule
// of adding that duty (schedule, next-day bans, forbidden sequences). kRuleAccept
// or kRuleRefuse.
RuleVerdict SwapCheck(const ConditionModel& model, int a, int b, int d, SwapRule rule);

// SwapCheck with the work runs around d of a and b (WorkRunAround) measured by the
// caller. A run around d does not depend on the codes on d, which are all an
// exchange changes, so a search that tries many exchanges on one day measures
// each member's run once.
RuleVerdict SwapCheckWithWorkRuns(const ConditionModel& model, int a, int b, int d, SwapRule rule,
                                  int work_run_a, int work_run_b);

// The sheet text of a roster code: empty for rest, the abbreviation of a duty
// type, "Err" for anything else.
std::string DutyText(const ConditionModel& model, int code);

}  // namespace tsumiki

#include "roster/swap.h"

#include <utility>

#include "roster/combos.h"
#include "roster/extra_rules.h"
#include "roster/roster_score.h"
#include "roster/run_lengths.h"
#include "roster/work_day_rules.h"

namespace tsumiki {

namespace {

constexpr const char* kUnknownDutyText = "Err";

}  // namespace

RuleVerdict SwapCheck(const ConditionModel& model, int a, int b, int d, SwapRule rule) {
  return SwapCheckWithWorkRuns(model, a, b, d, rule, JudgedWorkRun(model, a, d),
                               JudgedWorkRun(model, b, d));
}

RuleVerdict SwapCheckWithWorkRuns(const ConditionModel& model, int a, int b, int d, SwapRule rule,
                                  int work_run_a, int work_run_b) {
  if (RunPastLongest(model, a, work_run_a) || RunPastLongest(model, b, work_run_b)) {
    return kRuleRefuse;
  }
  if (rule == SwapRule::kWithWorkDayTarget && (model.WorkDayTarget(a) - model.WorkDays(a) < 0 ||
                                               model.WorkDayTarget(b) - model.WorkDays(b) < 0)) {
    return kRuleRefuse;
  }
  if (model.Fixed(a, d) >= 1 || model.Fixed(b, d) >= 1) return kRuleRefuse;
  if (ForbiddenComboBreached(model, a, d) || ForbiddenComboBreached(model, b, d)) {
    return kRuleRefuse;
  }
  if (RequiredShortfall(model, d, model.Roster(a, d)) != 0 ||
      RequiredShortfall(model, d, model.Roster(b, d)) != 0) {
    return kRuleRefuse;
  }
  const bool a_off = model.Roster(a, d) == 0;
  const bool b_off = model.Roster(b, d) == 0;
  if (model.MaxConsecRest > 0 && ((a_off && OffRunAround(model, a, d) > model.MaxConsecRest) ||
                                  (b_off && OffRunAround(model, b, d) > model.MaxConsecRest))) {
    return kRuleRefuse;
  }
  if (model.WorkFocus && a_off != b_off) {
    const int off = a_off ? a : b;
    const int on = a_off ? b : a;
    if (OffRunAround(model, off, d) >= 2 && WorkRunAround(model, on, d) >= 3) return kRuleRefuse;
  }
  if (!ExtraLimitsHold(model, a, d) || !ExtraLimitsHold(model, b, d)) return kRuleRefuse;
  // A swap must not hand a member a duty the day filling would have refused: a
  // requested day off, a duty the schedule bars, a next-day ban either way or a
  // forbidden sequence.
  for (const auto& [m, work_run] : {std::pair{a, work_run_a}, std::pair{b, work_run_b}}) {
    const int code = model.Roster(m, d);
    if (code >= 1 &&
        CanAddDutyWithWorkRun(model, m, d, code, model.DayCount, work_run) != kRuleAccept) {
      return kRuleRefuse;
    }
  }
  return kRuleAccept;
}

std::string DutyText(const ConditionModel& model, int code) {
  if (code == 0) return "";
  if (code >= 1 && code <= model.TypeCount) return model.TypeAbbrev(code);
  return kUnknownDutyText;
}

}  // namespace tsumiki

#include "roster/work_day_rules.h"

#include "roster/duty_mask.h"
#include "roster/patterns.h"
#include "roster/roster_score.h"
#include "roster/run_lengths.h"

namespace tsumiki {

namespace {

// NextDayBan of a code, where a rest day (or anything outside the types) bans nothing.
int BanAfter(const ConditionModel& model, int code) {
  if (code < model.NextDayBan.Lo() || code > model.NextDayBan.Hi()) return 0;
  return model.NextDayBan(code);
}

}  // namespace

RuleVerdict CanAddDuty(const ConditionModel& model, int m, int d, int t, int last) {
  return CanAddDutyWithWorkRun(model, m, d, t, last, JudgedWorkRun(model, m, d));
}

RuleVerdict CanAddDutyWithWorkRun(const ConditionModel& model, int m, int d, int t, int last,
                                  int work_run) {
  if (MaskHasDuty(model.DutyBanMask(m, d), t)) return kRuleRefuse;
  if (MaskHasDuty(BanAfter(model, model.Roster(m, d - 1)), t)) return kRuleRefuse;
  if (d < last) {
    const int next = model.Roster(m, d + 1);
    if (next >= 1 && MaskHasDuty(BanAfter(model, t), next)) return kRuleRefuse;
  }
  if (ForbiddenPatternHit(model, m, d, t)) return kRuleRefuse;
  if (RunPastLongest(model, m, work_run)) return kRuleRefuse;
  return kRuleAccept;
}

int WorkRunAfter(const ConditionModel& model, int m, int d) {
  int count = 0;
  for (int i = d + 1; i <= model.DayCount + 1 && model.Roster(m, i) >= 1; ++i) ++count;
  return count + 1;
}

RuleVerdict SingleDayGuard(const ConditionModel& model, int m, int d) {
  if (WorkRunBefore(model, m, d) == 1) return kRuleRefuse;
  if (WorkRunAfter(model, m, d) == 1) return kRuleRefuse;
  if (OffRunAround(model, m, d) == 1) return kRuleRefuse;
  return kRuleAccept;
}

}  // namespace tsumiki

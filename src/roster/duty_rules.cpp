#include "roster/duty_rules.h"

#include "roster/combos.h"
#include "roster/duty_mask.h"
#include "roster/extra_rules.h"
#include "roster/patterns.h"
#include "roster/run_lengths.h"

namespace tsumiki {
namespace {

int NextDayBanAfter(const ConditionModel& model, int duty) {
  return (duty >= 1 && duty <= model.TypeCount) ? model.NextDayBan(duty) : 0;
}

}  // namespace

bool CanTakeDuty(const ConditionModel& model, int m, int d, int t) {
  if (model.Roster(m, d) != 0) return false;
  if (model.WorkDays(m) >= model.WorkDayTarget(m)) return false;
  const int banned = model.DutyBanMask(m, d) | NextDayBanAfter(model, model.Roster(m, d - 1));
  if (MaskHasDuty(banned, t)) return false;
  if (ForbiddenPatternHit(model, m, d, t)) return false;
  if (d != model.DayCount) {
    const int reserved = model.Fixed(m, d + 1);
    if (reserved > 0 && MaskHasDuty(NextDayBanAfter(model, t), reserved)) return false;
  }
  if (ForbiddenComboHit(model, m, d, t)) return false;
  if (RunAroundPastLongest(model, m, d)) return false;
  if (!ExtraLimitsAllowDuty(model, m, d, t)) return false;
  return !RequiredPatternConflict(model, m, d, t);
}

}  // namespace tsumiki

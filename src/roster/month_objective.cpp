#include "roster/month_objective.h"

#include "roster/roster_score.h"

namespace tsumiki {

int MissedWishWeight(const ConditionModel& model) {
  int missed = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      missed += MissedWeight(model.Extra, m, d, model.Roster(m, d));
    }
  }
  return missed;
}

int DesiredShortfall(const ConditionModel& model, int t) {
  int missing = 0;
  for (int d = 1; d <= model.DayCount; ++d) {
    missing += DesiredMissing(model.Extra, t, d, StaffOnDuty(model, d, t));
  }
  return missing;
}

float MonthObjective(const ConditionModel& model) {
  const float score = RosterScore(model);
  if (!model.Extra.HasSoft) return score;
  const float desired = DesiredPenalty(model.Extra, model.TypeCount,
                                       [&model](int t) { return DesiredShortfall(model, t); });
  return CombineObjective(model.Extra, score, desired, MissedWishWeight(model));
}

}  // namespace tsumiki

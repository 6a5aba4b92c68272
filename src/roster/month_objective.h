#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// What the searches minimise: the balance score weighed against the wishes and
// the desired staffing the planner set. Lower is better.
//
//   MonthObjective = ScoreWeight * RosterScore + SoftPenalty
//   SoftPenalty    = sum over duty types t, in type order, of
//                      DesiredWeight(t) * (places missing to the desired staffing of t,
//                                          summed over the days)
//                    + the weights of the wishes not granted
//
// Single precision in this fixed order, every sum inside it an exact integer, so
// that a search keeping the integer sums change by change forms the very same
// figure. A model without a weighted wish or desired staffing (Extra.HasSoft
// false) has MonthObjective equal to RosterScore bit for bit.
float MonthObjective(const ConditionModel& model);

// Whether member m holding `code` on day d leaves a wish of theirs there unmet: a
// wished duty not held, or a wished day off worked. False where no wish is set.
inline bool WishMissed(const ExtraConditions& extra, int m, int d, int code) {
  return extra.WishWeight(m, d) > 0 && extra.WishDuty(m, d) != code;
}

// The weight member m's cell on day d adds to the missed wishes when it holds `code`.
inline int MissedWeight(const ExtraConditions& extra, int m, int d, int code) {
  return WishMissed(extra, m, d, code) ? extra.WishWeight(m, d) : 0;
}

// Places missing to the desired staffing of duty t on day d when `staffed` hold it.
inline int DesiredMissing(const ExtraConditions& extra, int t, int d, int staffed) {
  const int missing = extra.DesiredStaff(t, d) - staffed;
  return missing > 0 ? missing : 0;
}

// The weights of the wishes the roster leaves unmet, days 1..DayCount.
int MissedWishWeight(const ConditionModel& model);

// Places missing to the desired staffing of duty t over days 1..DayCount.
int DesiredShortfall(const ConditionModel& model, int t);

// The desired-staffing part of SoftPenalty from the places missing per type
// (`missing`(t), t = 1..TypeCount): one weighted term per type, in type order.
template <typename Missing>
float DesiredPenalty(const ExtraConditions& extra, int type_count, Missing missing) {
  float penalty = 0.0f;
  for (int t = 1; t <= type_count; ++t) {
    penalty += extra.DesiredWeight(t) * static_cast<float>(missing(t));
  }
  return penalty;
}

// The objective from its parts, in the order MonthObjective forms it.
inline float CombineObjective(const ExtraConditions& extra, float roster_score,
                              float desired_penalty, int missed_wish_weight) {
  if (!extra.HasSoft) return roster_score;
  return extra.ScoreWeight * roster_score +
         (desired_penalty + static_cast<float>(missed_wish_weight));
}

}  // namespace tsumiki

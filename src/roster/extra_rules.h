#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// The optional hard limits (counts per duty, weekends worked, shortest runs of
// days off and of work days) as the engine tests them before a move. Each test
// returns true at once for a model whose workbook sets none of them.

// Day filling and the work-day adjustment: may member m take duty t on the empty
// day d? The most counts and weekends look at the whole month as it stands, and
// the runs of days off on either side of d must stay long enough (during the day
// filling the days after d are empty up to a reservation or the month's end).
// Least counts are not judged, nor work runs but with `month_filled` (the work-day
// adjustment): during the day filling the days after d are not filled yet.
bool ExtraLimitsAllowDuty(const ConditionModel& model, int m, int d, int t,
                          bool month_filled = false);

// Searches and repair: does member m's cell on day d, as the roster now stands,
// keep the limits that involve it: the member's least counts, the most count of
// its duty and the weekends (when it is a duty), and the runs of work and of days
// off that contain or touch day d.
bool ExtraLimitsHold(const ConditionModel& model, int m, int d);

// The whole month as it stands keeps every optional hard limit, least counts
// included: a filled month that does not is no month yet.
bool ExtraLimitsKept(const ConditionModel& model);

// How far member m's month misses the optional hard limits: the duties short of
// each least count and beyond each most count, the weekends beyond the most, and
// the days each judged run of work or of days off lacks. 0 exactly where every
// cell of the member holds ExtraLimitsHold.
int ExtraLimitBreaches(const ConditionModel& model, int m);

}  // namespace tsumiki

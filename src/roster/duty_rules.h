#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// May member m take duty t on day d, given everything already in the roster?
// The tests run cheapest first: empty cell, work-day budget, bans of the day and
// of yesterday's duty, forbidden sequences, a reserved duty tomorrow, forbidden
// combinations, the consecutive-work limit, required sequences.
bool CanTakeDuty(const ConditionModel& model, int m, int d, int t);

}  // namespace tsumiki

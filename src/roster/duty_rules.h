#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// May member m take duty t on day d, given everything already in the roster?
// The tests run cheapest first: empty cell, work-day budget, bans of the day and
// of yesterday's duty, forbidden sequences, a reserved duty tomorrow, forbidden
// combinations, the consecutive-work limit, required sequences.
//
// When t begins a required sequence and the answer is true, the cell has been
// written as well: Roster(m, d) = Fixed(m, d) = t (see RequiredPatternConflict).
bool CanTakeDuty(ConditionModel& model, int m, int d, int t);

}  // namespace tsumiki

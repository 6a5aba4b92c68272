#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// True when giving member m duty t on day d would complete one of the forbidden
// duty sequences inside the nine days d-4..d+4 (the previous month's tail stands
// in for the days before day 1 when UsePrevMonth is set).
bool ForbiddenPatternHit(const ConditionModel& model, int m, int d, int t);

// The duty that a required sequence puts on the day after duty `first`: the
// following duty of the first pair that starts with `first` and names a real duty
// type, 0 when there is none. Pairs whose following entry is empty or "*" are
// passed over: neither is a duty that can be written into the roster.
int RequiredFollower(const ConditionModel& model, int first);

// Maximum length of a required-sequence chain, the starting duty included. A
// chain that runs in a circle (A -> B -> A) stops growing here.
inline constexpr int kMaxChainLength = 10;

// For a duty t that begins a required sequence: true when the sequence cannot be
// laid from day d on (a reserved or barred day in its way, or the work run would
// pass the member's LongestWorkRun). False when t begins no required sequence. The day filling
// fixes a duty that begins one when it places it.
bool RequiredPatternConflict(const ConditionModel& model, int m, int d, int t);

// The day filling marks a required sequence's cells as fixed, its first duty and
// each follower, and the swaps of the later phases leave fixed cells alone; a
// month made another way (the exact model, the search over open places) gets the
// same marks on days StartDay..DayCount, or a swap would part a 夜勤 from its 明け.
void FixRequiredSequences(ConditionModel& model);

}  // namespace tsumiki

#pragma once

#include <vector>

#include "check/rule_check.h"

namespace tsumiki {

// The hard rules of the optional conditions (counts per duty, shortest runs of
// days off and of work days, weekends worked), appended to `found`. Nothing is
// added for a model that sets none of them.
void CheckExtraRules(const ConditionModel& model, std::vector<Finding>& found);

// A run of days off or of work days shorter than `least`: the first day of each
// such run of member m's roster, with its length. A run that touches the end of
// the period may go on in the next month and is not judged, nor one at the start
// unless the previous month's days are in use. Shared by the checks and the
// totals.
struct ShortRun {
  int day = 0;
  int length = 0;
};
std::vector<ShortRun> ShortRuns(const ConditionModel& model, int m, bool work, int least);

}  // namespace tsumiki

#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// Run lengths of member m around day d, counting day d itself as 1. The scan
// back continues into the previous month's last ten days when all of days
// 1..d-1 belong to the run and UsePrevMonth is set.

// 1 + consecutive days with a duty immediately before day d.
int WorkRunBefore(const ConditionModel& model, int m, int d);
// 1 + consecutive days without a duty immediately before day d.
int OffRunBefore(const ConditionModel& model, int m, int d);
// 1 + the work days directly after d (up to DayCount) + those directly before d.
// The days after d are counted as WorkRunFrom(d + 1) counts them.
int WorkRunAround(const ConditionModel& model, int m, int d);

// WorkRunAround where member m has a longest run (LongestWorkRun), else 0: no
// run is judged, so none is counted.
int JudgedWorkRun(const ConditionModel& model, int m, int d);
// Whether the work run through day d passes member m's longest run.
inline bool RunAroundPastLongest(const ConditionModel& model, int m, int d) {
  return RunPastLongest(model, m, JudgedWorkRun(model, m, d));
}

// The work days from `day` on (up to DayCount). A duty in the roster that begins a
// required sequence brings its followers onto the empty days right after it, as
// the day filling will place them, so those days count as work too.
int WorkRunFrom(const ConditionModel& model, int m, int day);

}  // namespace tsumiki

#pragma once

#include <string>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

namespace tsumiki {

// The totals as aligned text for a terminal: one line per member (the count of
// each duty, work days against the target, days off, 単勤, 単休), one line per
// day (staff against need of each duty, the difference marked), and a legend of
// the duty types. With `colour`, the legend shows each abbreviation on its fill.
std::string TotalsText(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals, bool colour);

}  // namespace tsumiki

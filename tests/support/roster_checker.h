#pragma once

#include <string>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki::testing {

// Which days and which optional rules CheckRoster looks at.
struct CheckOptions {
  int first_day = 1;
  int last_day = 0;  // 0 = DayCount
  // Work-day targets are a separate matter: the day filling alone does not
  // promise them (the work-day adjustment does).
  bool work_days_at_most_target = false;  // no member works more days than the target
  bool work_days_exact = false;           // members with days off set hit the target exactly
  // Staff above the need is allowed on the duty types that may be added to reach
  // work-day targets: every type but the last (the only type when there is one).
  bool extra_staff_for_targets = false;
};

// Lists, as readable lines, every rule that the roster (model.Roster) breaks on
// the days first_day..last_day: staffing per type and day, bans of the day and of
// the previous day's duty, forbidden sequences (with the previous month's tail and
// "*"), reservations (Fixed), the consecutive-work limit, forbidden and required
// combinations, required sequences, counts per duty, shortest runs of work and of
// rest, weekends worked, and optionally the work-day targets. A rule
// that spans several days is reported when one of its days lies in the range.
//
// Written from the rules as a planner states them, independently of the engine's
// code, so that a fault in the engine cannot hide itself here.
std::vector<std::string> CheckRoster(const ConditionModel& model, const CheckOptions& options = {});

// The lines joined for a test failure message.
std::string JoinProblems(const std::vector<std::string>& problems);

}  // namespace tsumiki::testing

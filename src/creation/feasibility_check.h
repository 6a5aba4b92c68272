#pragma once

#include <optional>
#include <string>

#include "conditions/condition_model.h"

namespace tsumiki {

// Checks that need no search, run on the model as the load and the read-back of
// the days before StartDay left it (reservations placed, nothing filled yet):
//  - the staffing from StartDay on against the work days all targets leave;
//  - when the work-day adjustment is on (a short member means another pass), each
//    member's target against the days they could work at all, under 連続勤務上限
//    and with the run that the days before StartDay bring in;
//  - for each day and duty type, the members who may take it at all (requests,
//    bans, reservations, yesterday's fixed duty and its bans and followers,
//    tomorrow's reservation, reached targets) against NeedTable;
//  - for each day, all its duties at once: the most places that members who may
//    take them can fill when each takes one duty (a matching).
// Each test only uses what no pass can change, so a month that can be staffed is
// never refused. Returns the planner's message for the first failure found.
std::optional<std::string> FindStaffingProblem(const ConditionModel& model);

}  // namespace tsumiki

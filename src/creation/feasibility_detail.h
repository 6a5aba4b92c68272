#pragma once

#include <optional>
#include <string>

#include "conditions/condition_model.h"

// The pieces of the staffing pre-check that its parts share. Every test judges
// only what no creation pass can change: the days before StartDay, reservations,
// requests and bans.
namespace tsumiki::feasibility {

bool IsDutyType(const ConditionModel& model, int t);
// Whether member m could hold some duty on day d at all.
bool CouldWork(const ConditionModel& model, int m, int d);
// The most days member m can work in the month under 連続勤務上限.
int MostWorkDays(const ConditionModel& model, int m);
// Whether member m may ever take duty t on day d (or already holds it).
bool MayTake(const ConditionModel& model, int m, int d, int t);

// The optional limits that already bar member m from duty t on day d: a most
// count, or the most weekends, that the given days have used up.
bool ExtraLimitBars(const ConditionModel& model, int m, int d, int t);
// The first reason the counts per duty, the weekends or the shortest runs leave
// no month, as the planner's message; nothing for a workbook that sets none.
std::optional<std::string> ExtraLimitProblem(const ConditionModel& model);

}  // namespace tsumiki::feasibility

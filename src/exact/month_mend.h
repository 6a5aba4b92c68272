#pragma once

#include <atomic>
#include <optional>

#include "conditions/condition_model.h"

namespace tsumiki::exact {

// Mends the month in `model`'s roster: one the day filling completed that keeps
// every rule but the work-day targets and the optional limits (least and most
// counts, weekends, shortest runs), or leaves places open. The relaxation's
// slack counts what the month misses; groups of members are solved again with
// the others held (ImproveByMembers) until no slack is left. A workplace of sixty
// members and ten duties, whose whole model gives CBC no first month in minutes,
// is mended group by group in seconds, as a breach lies mostly in one member's
// own days.
//
// The month found (days StartDay..DayCount of the roster), or none within
// `seconds` or after a stop. A roster cell the model cannot hold gives none.
std::optional<IndexGrid<int>> MendByMembers(const ConditionModel& model, double seconds,
                                            const std::atomic<bool>* stop);

// Betters the month in `model`'s roster, one that keeps every rule, by the
// month model's objective (wishes, desired staffing): ImproveByMembers from it
// within `seconds`. The best month found by then (the roster's own where none is
// better); none after a stop before the first group, or where a roster cell has
// no column.
std::optional<IndexGrid<int>> BetterByMembers(const ConditionModel& model, double seconds,
                                              const std::atomic<bool>* stop);

}  // namespace tsumiki::exact

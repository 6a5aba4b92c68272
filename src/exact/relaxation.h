#pragma once

#include <string>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki::exact {

// One thing the planner must give for a month to exist.
struct Shortfall {
  enum class Kind {
    kStaffShort,      // `amount` people short on duty `type` on `day`
    kFewerWorkDays,   // member works `amount` days below the target
    kMoreWorkDays,    // member works `amount` days above the target
    kComboShort,      // required combination `rule` short by `amount` on `day`
    kDutyLeastShort,  // member takes duty `type` `amount` times below its least count
    kDutyMostOver,    // member takes duty `type` `amount` times above its most count
    kWeekendsOver,    // member works `amount` weekends above the most
    kRestRunShorter,  // member's shortest run of days off cut by `amount` days
    kWorkRunShorter,  // member's shortest run of work days cut by `amount` days
  };
  Kind kind = Kind::kStaffShort;
  int day = 0;
  int type = 0;
  int member = 0;
  int rule = 0;
  int amount = 0;
  bool operator==(const Shortfall&) const = default;
};

// The least relaxation of a month that has none: its items and their total, and
// the nearest month (the relaxation's own roster, days StartDay..DayCount; the
// staff-short cells are rest days there).
struct Relaxation {
  std::vector<Shortfall> items;
  int total = 0;
  // True when the total is proven least; false when the solve stopped with only a
  // good relaxation.
  bool least = false;
  IndexGrid<int> nearest;
};

// One Japanese line per item, in the order of `items`:
// "10月7日(木) 遅番 1 人不足", "12 佐藤: 勤務日数を 1 日減らす",
// "12 佐藤: 「夜」の上限を 1 回増やす".
std::vector<std::string> RelaxationLines(const ConditionModel& model, const Relaxation& relaxation);

// The lines joined with line breaks, each line ending in one.
std::string RelaxationText(const ConditionModel& model, const Relaxation& relaxation);

}  // namespace tsumiki::exact

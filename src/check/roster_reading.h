#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conditions/derived_calendar.h"
#include "conditions/engine_context.h"
#include "conditions/loader.h"

namespace tsumiki {

// Reads the conditions and the roster as the sheet holds it into ctx.model, for
// judging a month rather than building one: every day 1..DayCount comes from
// Time_Table, a text that is no abbreviation becomes kUnknownDuty, and the
// tallies are left alone. The sheet is read before the conditions, whose load
// writes the reservations into it, so a hand edit over a reservation is seen.
// A start day of -1 when the conditions were refused, with the refusal for the
// caller to show. The workbook may have been changed by the load; the caller does
// not keep it.
LoadResult ReadRosterAsItStands(EngineContext& ctx);

// What the planner sees beside the codes: duty names and their 略称 fills, and
// the dates of the days.
struct MonthLabels {
  std::vector<std::string> duty_names;  // type t at t-1 (Type_Table_Org)
  std::vector<int> duty_fills;          // ColorIndex of each 略称 cell, 0 = none
  std::optional<layout::CivilDate> first_date;
  // "1/5" and "火" of day d (1-based); the day number alone without a date.
  std::string DateText(int day) const;
  std::string WeekdayText(int day) const;
};
MonthLabels ReadMonthLabels(const workbook::Workbook& book, const ConditionModel& model);

}  // namespace tsumiki

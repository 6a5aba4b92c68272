#pragma once

#include <string>
#include <vector>

#include "check/roster_reading.h"
#include "check/roster_totals.h"
#include "check/rule_check.h"

namespace tsumiki {

// The roster as other programs read it. Rest days are empty, codes that are no
// duty type "?".
//
// CSV (RFC 4180, CRLF): a head row 番号, 氏名 and one column per day ("1/5(火)"),
// then one row per member with the duties' abbreviations.
std::string RosterCsv(const ConditionModel& model, const MonthLabels& labels);

// JSON: the month, the duty types (abbreviation, name), the days (date, weekday),
// every member with number, name, the duties of each day and the member's totals,
// and the staffing of each day against its need.
std::string RosterJson(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals);

// The findings as JSON for scripts: a list of {member, number, name, day, date,
// rule, rule_name, reason}; member 0 and day 0 stand for none.
std::string FindingsJson(const ConditionModel& model, const MonthLabels& labels,
                         const std::vector<Finding>& findings);

// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& text);

}  // namespace tsumiki

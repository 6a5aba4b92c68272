#pragma once

#include <string>
#include <string_view>

#include "conditions/condition_model.h"

namespace tsumiki {

// Duty type of an abbreviation as the planner writes it on the sheets: the last
// matching entry of TypeAbbrev wins (a short name entered twice means the later
// type), 0 when none matches, kAnyType for "*". The comparison is exact.
int AbbrevToType(const ConditionModel& model, std::string_view text);

// The member row (1..MemberCount) whose number, read as a number, equals n; the
// first such row, 0 when there is none. Combination records list member numbers,
// not rows, so every combination rule goes through this.
int MemberRowOfNumber(const ConditionModel& model, int n);

// The leading number of a text the way the planner's numbers are read ("12",
// " 7", "3.0", "12abc" = 12); 0 when the text does not start with a number.
double LeadingNumber(std::string_view text);

// A1-style address: column letters (A..Z, AA.., two letters up to column 702)
// followed by the row in decimal.
std::string CellAddress(int row, int column);

}  // namespace tsumiki

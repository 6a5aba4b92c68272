#pragma once

#include <optional>
#include <string>

#include "conditions/layout.h"
#include "workbook/cell_value.h"

// The numbers and flags a typed cell may hold, one table for the workbook's
// check before a load and for the conditions file, so that a value refused in
// one is refused in the other with the same words.
namespace tsumiki::layout {

struct NumberRule {
  const NameSpec* name;
  std::string_view what;  // how the planner calls the cell
  double least;
  double most;
  bool whole;
  bool least_excluded = false;  // "greater than", for a time limit
};

// The rule for the cells of a name; nullptr when the name has none.
const NumberRule* NumberRuleFor(const NameSpec& name_spec);
// True for the names that hold TRUE or FALSE.
bool IsFlagName(const NameSpec& name_spec);

// Why `value` breaks the name's rule ("…には0以上の整数を入力してください（入力値「-1」）。"),
// or nullopt when it keeps it. An empty cell keeps every rule; text is left to the
// checks that tell a number from text.
std::optional<std::string> RuleProblem(const NameSpec& name_spec, const workbook::CellValue& value);

}  // namespace tsumiki::layout

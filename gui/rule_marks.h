#pragma once

#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "check/rule_check.h"
#include "workbook/workbook.h"

namespace tsumiki::gui {

// Reasons of broken rules by cell (0-based row and column of a table); several
// reasons of one cell come line by line.
using CellNotes = std::map<std::pair<int, int>, QString>;

// Where the findings of a roster check are shown.
struct RuleMarks {
  // On the roster sheet: a member's day on its cell, a finding about a day as a
  // whole on the day's date cell.
  CellNotes sheet;
  // A member's month as a whole (work days against the target), by member 1..n.
  std::map<int, QString> member_month;
  // A day's finding about a duty (staffing, combinations), by (day, duty).
  std::map<std::pair<int, int>, QString> day_duty;
};

// `roster` is Time_Table on the sheet, `date_row` the sheet row of the dates
// above it (0 when there is none).
RuleMarks MarkFindings(const std::vector<Finding>& findings, const workbook::CellRange& roster,
                       int date_row);

}  // namespace tsumiki::gui

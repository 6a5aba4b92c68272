#pragma once

#include <optional>
#include <string>
#include <vector>

#include "workbook/workbook.h"

namespace tsumiki {

// The roster on the sheet as it stood before a run: the values and fills of
// Time_Table and the month (年, 月) they belong to. A run that the planner stops
// puts it back, so that no half-made month is left to be saved by mistake.
struct RosterSnapshot {
  workbook::CellRange table;
  workbook::Table values;
  std::vector<std::vector<int>> fills;  // ColorIndex per cell, row by row
  std::string year;
  std::string month;
};

// nullopt when the workbook has no roster area (the run then fails on its own).
std::optional<RosterSnapshot> TakeRosterSnapshot(const workbook::Workbook& book);

// Writes back every value and every fill that differs, through the store's
// ordinary writes, so that undo sees the change like any other.
void RestoreRosterSnapshot(workbook::Workbook& book, const RosterSnapshot& snapshot);

// "2027年1月", or an empty text when the sheet names no month.
std::string MonthText(const RosterSnapshot& snapshot);

}  // namespace tsumiki

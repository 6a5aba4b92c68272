#pragma once

#include <string>

#include "conditions/condition_model.h"
#include "conditions/layout.h"
#include "workbook/workbook.h"

namespace tsumiki {

// The roster sheet (人員配置表) as the optimisation and the swaps use it: the
// range Time_Table read into memory once, changed there and written back once.
// Rows are members 1..N, columns days 1..D.
class RosterSheetCopy {
 public:
  // Reads the values of Time_Table.
  explicit RosterSheetCopy(workbook::Workbook& book);

  // Sets the cell of member m on day d; an empty text clears the cell. A position
  // outside the range is left alone: the range bounds what the sheet can show.
  void Set(int m, int d, const std::string& text);
  // The value at member m, day d (empty outside the range).
  workbook::CellValue Get(int m, int d) const;

  // Writes the whole copy back to Time_Table.
  void WriteBack();

 private:
  workbook::Workbook& book_;
  workbook::CellRange range_;
  workbook::Table values_;
};

// Writes one cell of Time_Table straight into the workbook (member m, day d).
void WriteRosterCell(workbook::Workbook& book, int m, int d, const std::string& text);

// Writes days StartDay..DayCount of the roster into Time_Table in one go.
void WriteRosterDays(workbook::Workbook& book, const ConditionModel& model);

// A number cell of the roster sheet (標準偏差, 休み偏差, 休み増減計), read as its
// value text's leading number. Throws WorkbookError naming the cell when it holds
// an error value.
double ReadRosterNumber(const workbook::Workbook& book, const layout::NameSpec& name_spec);

}  // namespace tsumiki

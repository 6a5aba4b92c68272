#pragma once

#include <string>

#include "conditions/engine_context.h"
#include "conditions/layout.h"
#include "conditions/loader.h"
#include "roster/roster_change.h"
#include "workbook/workbook.h"

namespace tsumiki {

inline constexpr std::string_view kStatusReadingRoster = "シフト表 参照中";

// The roster sheet (人員配置表) as the optimisation and the swaps use it: the
// range Time_Table read into memory once, changed there and written back once.
// Rows are members 1..N, columns days 1..D.
class RosterSheetCopy : public RosterCells {
 public:
  // Reads the values of Time_Table.
  explicit RosterSheetCopy(workbook::Workbook& book);

  // Sets the cell of member m on day d; an empty text clears the cell. A position
  // outside the range is left alone: the range bounds what the sheet can show.
  void Set(int m, int d, const std::string& text) override;
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

// Time_Table itself as the target of a change: every changed cell is written at once.
class RosterSheetCells : public RosterCells {
 public:
  explicit RosterSheetCells(workbook::Workbook& book) : book_(book) {}
  void Set(int m, int d, const std::string& text) override { WriteRosterCell(book_, m, d, text); }

 private:
  workbook::Workbook& book_;
};

// Writes days StartDay..DayCount of the roster into Time_Table in one go.
void WriteRosterDays(workbook::Workbook& book, const ConditionModel& model);

// A number cell of the roster sheet (標準偏差, 休み偏差, 休み増減計), read as its
// value text's leading number. Throws WorkbookError naming the cell when it holds
// an error value.
double ReadRosterNumber(const workbook::Workbook& book, const layout::NameSpec& name_spec);

// Reads days first..last of the roster sheet into Roster through the change path,
// so the tallies count what the sheet shows. Nothing happens for first -1.
void ReadRosterBack(const EngineContext& context, int first_day, int last_day, bool quiet);

// LoadConditions, then the reservations it placed counted in the tallies: the load
// only writes them into the roster. Its start day is -1 when the load refused; the
// refusal is then the caller's to show.
LoadResult LoadRosterConditions(EngineContext& context);

}  // namespace tsumiki

#pragma once

#include <optional>
#include <string_view>

#include "conditions/condition_model.h"
#include "ui/host.h"
#include "ui/notice.h"
#include "workbook/workbook.h"

namespace tsumiki {

// Reads Day_Cnt, Type_Cnt, Member_Cnt and the abbreviations (略称), and
// re-creates every array of the model from them. Called by LoadConditions and
// once at start-up. Throws workbook::WorkbookError naming sheet, name and cell
// when a name is missing, a count cannot be read, or there are more than ten
// duty types.
void LoadCounts(workbook::Workbook& book, ConditionModel& model);

// What the load works with: the workbook it reads (whose roster sheet also shows
// the reservations), the host for the status texts and the warnings, the model it
// fills, and two values of the session.
struct LoadContext {
  workbook::Workbook& book;
  Host& host;
  ConditionModel& model;
  int status_position = 0;    // where status texts go until 進行状況表示 is read
  float improve_seconds = 0;  // 改善時間 of a workbook that has no such cell
  // Whether the planner is to be warned of what loads but looks wrong: once a
  // run, and never while a finished month is only being judged.
  bool warn = false;
  bool warned = false;  // set by the load once it has shown a warning
  std::optional<Notice> refusal{};  // set by the step that ends the load
};

struct LoadResult {
  // StartDay (1..DayCount), or -1 when the conditions were refused.
  int start_day = -1;
  // 進行状況表示 as the workbook gives it, or the position the load was given when
  // the cell is missing, unreadable or not reached; for the caller to keep.
  int status_position = 0;
  bool warned = false;  // a warning was shown; the next loads of the run need not
  // After a start day of -1: what the planner is to fix, for the caller to show.
  std::optional<Notice> refusal{};
};

// Reads and checks every condition into ctx.model afresh, places the reserved
// duties in the roster (and on the roster sheet) and the previous month's last
// day in day 0. Needs CreateMonth, CreateStartDay and BaseStartDay set.
//
// After a start day of -1 the model must not be used. Nothing escapes as an
// exception from a workbook read: a read the load cannot do without ends the load
// with -1 and a refusal that names the sheet, the name and the cell.
LoadResult LoadConditions(LoadContext ctx);

// The duty type named by a full name of Type_Table_Org (read from the workbook):
// last match wins, -1 when none, kAnyType for "*".
int TypeNameToType(workbook::Workbook& book, const ConditionModel& model, std::string_view text);

// Activates the sheet and, when range_name is not empty, selects that range on it,
// so the planner sees the entry to fix.
void ShowSheetRange(workbook::Workbook& book, std::string_view sheet, std::string_view range_name);

}  // namespace tsumiki

#pragma once

#include <string_view>

#include "conditions/condition_model.h"
#include "conditions/engine_context.h"
#include "workbook/workbook.h"

namespace tsumiki {

// Reads Day_Cnt, Type_Cnt, Member_Cnt and the abbreviations (略称), and
// re-creates every array of the model from them. Called by LoadConditions and
// once at start-up. Throws workbook::WorkbookError naming sheet, name and cell
// when a name is missing, a count cannot be read, or there are more than ten
// duty types.
void LoadCounts(workbook::Workbook& book, ConditionModel& model);

// Reads and checks every condition into ctx.model afresh, places the reserved
// duties in the roster (and on the roster sheet) and the previous month's last
// day in day 0. Needs CreateMonth, CreateStartDay and BaseStartDay set.
//
// Returns StartDay (1..DayCount), or -1 after the planner has been told what to
// fix; the model must not be used then. Nothing escapes as an exception from a
// workbook read: a read the load cannot do without ends the load with -1 after a
// message that names the sheet, the name and the cell.
int LoadConditions(EngineContext& ctx);

// The duty type named by a full name of Type_Table_Org (read from the workbook):
// last match wins, -1 when none, kAnyType for "*".
int TypeNameToType(workbook::Workbook& book, const ConditionModel& model, std::string_view text);

// Activates the sheet and, when range_name is not empty, selects that range on it,
// so the planner sees the entry to fix.
void ShowSheetRange(workbook::Workbook& book, std::string_view sheet, std::string_view range_name);

}  // namespace tsumiki

#pragma once

#include <optional>

#include "ui/notice.h"
#include "workbook/workbook.h"

namespace tsumiki::layout {

// Makes an opened workbook behave as the roster workbook: installs the
// recalculator of the derived names and registers the five macros
// ("!勤務Clear", "!先月下旬転送", "!勤務色置換", "!条件保存", "!条件読込").
// The macros return their problems; RunMacro hands them to its caller.
void AttachLayout(workbook::Workbook& book);

// "!条件保存" / "!条件読込": the file named in 名前リスト!C1. A problem is returned
// for the planner; the workbook is left unchanged by a failed load.
std::optional<Notice> SaveConditionsMacro(workbook::Workbook& book);
std::optional<Notice> LoadConditionsMacro(workbook::Workbook& book);

}  // namespace tsumiki::layout

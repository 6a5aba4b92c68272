#pragma once

#include "ui/host.h"
#include "workbook/workbook.h"

namespace tsumiki::layout {

// Makes an opened workbook behave as the roster workbook: installs the
// recalculator of the derived names and registers the five macros
// ("!勤務Clear", "!先月下旬転送", "!勤務色置換", "!条件保存", "!条件読込").
// The macros report problems through `host`, which must outlive the workbook's use.
void AttachLayout(workbook::Workbook& book, Host& host);

// "!条件保存" / "!条件読込": the file named in 名前リスト!C1. Problems are shown as
// a message; the workbook is left unchanged by a failed load.
void SaveConditionsMacro(workbook::Workbook& book, Host& host);
void LoadConditionsMacro(workbook::Workbook& book, Host& host);

}  // namespace tsumiki::layout

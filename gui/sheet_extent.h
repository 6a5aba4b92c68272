#pragma once

#include "workbook/workbook.h"

namespace tsumiki::gui {

struct SheetExtent {
  int rows = 0;
  int columns = 0;
};

// The last row and column of a sheet that hold a value, a fill or a derived cell,
// looked for within the area a roster workbook uses.
SheetExtent UsedExtent(const workbook::Workbook& book, int sheet);

}  // namespace tsumiki::gui

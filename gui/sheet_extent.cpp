#include "gui/sheet_extent.h"

#include <algorithm>

namespace tsumiki::gui {

namespace {
// Beyond the largest ranges of the layout (100 members below a header, 31 days
// beside the member columns) with room to spare.
constexpr int kProbeRows = 400;
constexpr int kProbeColumns = 128;
}  // namespace

SheetExtent UsedExtent(const workbook::Workbook& book, int sheet) {
  SheetExtent extent;
  for (int row = 1; row <= kProbeRows; ++row) {
    for (int column = 1; column <= kProbeColumns; ++column) {
      const bool used = !book.Value(sheet, row, column).IsEmpty() ||
                        book.IsDerived(sheet, row, column) ||
                        book.InteriorColorIndex(sheet, row, column) != workbook::kColorIndexNone;
      if (used) {
        extent.rows = std::max(extent.rows, row);
        extent.columns = std::max(extent.columns, column);
      }
    }
  }
  return extent;
}

}  // namespace tsumiki::gui

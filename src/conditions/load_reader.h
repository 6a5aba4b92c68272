#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conditions/layout.h"
#include "workbook/workbook.h"

namespace tsumiki {

// Reads the cells of one named range for the loader, in the reading modes of the
// layout. Every failure (a missing sheet or name, a value that cannot be
// converted) is a workbook::WorkbookError that names the sheet, the name and,
// for a cell, its address, so the planner is told exactly where to look.
class NamedRangeReader {
 public:
  // Resolves the name; throws when the workbook lacks it.
  NamedRangeReader(workbook::Workbook& book, const layout::NameSpec& name_spec);
  // The name resolved, or nullopt when the workbook lacks it (optional names).
  static std::optional<NamedRangeReader> IfPresent(workbook::Workbook& book,
                                                   const layout::NameSpec& name_spec);

  const workbook::CellRange& range() const { return range_; }

  // Cell (row, column) relative to the range; a position beyond the range reads
  // the sheet there, like Range.Cells.
  workbook::CellValue Value(int row = 1, int column = 1) const;
  std::string Text(int row = 1, int column = 1) const;
  // The displayed text, then its leading number, rounded.
  int DisplayedNumber(int row = 1, int column = 1) const;
  // The value as text, then its leading number.
  int ValueTextInt(int row = 1, int column = 1) const;
  float ValueTextSingle(int row = 1, int column = 1) const;
  double ValueTextDouble(int row = 1, int column = 1) const;
  // The value as a whole number (empty = 0); non-numeric text is a failure.
  int Int(int row = 1, int column = 1) const;
  float Single(int row = 1, int column = 1) const;
  bool IsTrue(int row = 1, int column = 1) const;
  bool IsFalse(int row = 1, int column = 1) const;

  // Running index 1..n over the range, row by row.
  int RowOfIndex(int index) const { return (index - 1) / range_.Columns() + 1; }
  int ColumnOfIndex(int index) const { return (index - 1) % range_.Columns() + 1; }

  // Refuses a range smaller than `rows` x `columns` (the counts it must hold),
  // before any cell of it is read or written: cells beyond a range belong to
  // something else on the sheet. The message names the range and both sizes.
  void RequireSize(int rows, int columns) const;
  // The same for a range read by running index: at least `cells` cells.
  void RequireCells(int cells) const;

  // The place of a cell, for errors raised by the loader itself.
  workbook::WorkbookError::Place PlaceOf(int row = 1, int column = 1) const;
  // A failure about this name (a limit broken): throws a WorkbookError naming the
  // cell, with `detail` as the reason.
  [[noreturn]] void Fail(std::string_view detail, int row = 1, int column = 1) const;

 private:
  NamedRangeReader(workbook::Workbook& book, const layout::NameSpec& name_spec,
                   const workbook::CellRange& range);

  workbook::Workbook* book_;
  const layout::NameSpec* spec_;
  workbook::CellRange range_;
};

}  // namespace tsumiki

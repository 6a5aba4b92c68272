#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "workbook/a1_reference.h"
#include "workbook/cell_value.h"
#include "workbook/shared_strings.h"
#include "workbook/store_limits.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

// One stored cell. `node` is its <c> element in the worksheet document, so that a
// save rewrites just the cells that changed and keeps everything else as it was.
struct Cell {
  CellValue value;
  std::uint32_t style = 0;
  bool formula = false;
  bool shared_string = false;  // stored as an index into the shared string table
  bool dirty = false;          // queued for the next save
  bool value_changed = false;  // the value was written, not only the format
  pugi::xml_node node;
};

// The cells of one worksheet, held sparsely by position for constant-time access.
class SheetData {
 public:
  // Reads <sheetData>, putting rows and cells stored out of order into order.
  // Positions beyond the grid, two cells at one position, style or string indexes
  // out of range, texts longer than a cell may hold, a boolean other than 0 or 1
  // and text beyond what `budget` has left throw WorkbookError naming `place` and
  // the cell.
  void Load(pugi::xml_document& document, const SharedStrings& strings, size_t style_count,
            const WorkbookError::Place& place, limits::TextBudget& budget);

  const Cell* Find(int row, int column) const {
    auto it = cells_.find(Key(row, column));
    return it == cells_.end() ? nullptr : &it->second;
  }
  // The format a cell has or would get when created (row, then column format).
  std::uint32_t StyleAt(int row, int column) const;
  // The cell to change, created with the row's or column's format when new, and
  // queued for the next Flush.
  Cell& Change(int row, int column);

  bool InArrayFormula(int row, int column) const;
  bool IsSharedFormulaMaster(int row, int column) const {
    return shared_masters_.count(Key(row, column)) != 0;
  }
  // The last row and column that hold or have held a cell (0 when none).
  int LastRow() const { return last_row_; }
  int LastColumn() const { return last_column_; }
  bool HasChanges() const { return !dirty_.empty(); }
  size_t SharedStringReferences() const;
  // Writes every changed cell into the worksheet document (rows and cells kept in
  // ascending order) and updates <dimension>.
  void Flush(SharedStrings& strings);

 private:
  static std::uint64_t Key(int row, int column) {
    return (static_cast<std::uint64_t>(row) << 16) | static_cast<std::uint64_t>(column);
  }
  template <typename Fail>
  std::vector<std::pair<int, pugi::xml_node>> SortedRows(const Fail& fail);
  template <typename Fail>
  std::vector<std::pair<int, pugi::xml_node>> SortedCells(pugi::xml_node row_node, int row,
                                                          const Fail& fail);
  void Extend(int row, int column);
  pugi::xml_node RowNode(int row);
  void PlaceNode(Cell& cell, int row, int column);
  void WriteNode(Cell& cell, SharedStrings& strings);

  pugi::xml_document* document_ = nullptr;
  pugi::xml_node sheet_data_;
  std::string prefix_;
  std::unordered_map<std::uint64_t, Cell> cells_;
  std::vector<std::uint64_t> dirty_;
  std::map<int, pugi::xml_node> rows_;
  std::map<int, std::uint32_t> row_styles_;
  struct ColumnStyle {
    int first, last;
    std::uint32_t style;
  };
  std::vector<ColumnStyle> column_styles_;
  std::vector<Area> arrays_;
  std::set<std::uint64_t> shared_masters_;
  int last_row_ = 0;
  int last_column_ = 0;
};

}  // namespace tsumiki::workbook

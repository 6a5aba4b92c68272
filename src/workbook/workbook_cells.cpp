#include <cmath>

#include "workbook/number_format.h"
#include "workbook/store_limits.h"
#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"

namespace tsumiki::workbook {

namespace {

using Kind = WorkbookError::Kind;

void CheckCell(const Workbook::Impl& impl, int sheet, int row, int column) {
  impl.EnsureSheet(sheet);
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
    throw WorkbookError(Kind::kBadValue, impl.PlaceOf(sheet, row, column),
                        messages::kCellOutOfGrid);
}

// Whole-range reads and writes hold or visit every cell of the range.
void CheckRangeSize(const Workbook::Impl& impl, const CellRange& range) {
  if (static_cast<std::uint64_t>(range.Rows()) * static_cast<std::uint64_t>(range.Columns()) >
      limits::kMaxRangeCells)
    throw WorkbookError(Kind::kBadValue, impl.PlaceOf(range.sheet, range.top, range.left),
                        messages::kRangeTooLarge);
}

// Everything that would refuse a value write, checked before anything changes.
void CheckWritable(const Workbook::Impl& impl, int sheet, int row, int column,
                   const CellValue& value) {
  CheckCell(impl, sheet, row, column);
  const SheetEntry& entry = impl.sheets[static_cast<size_t>(sheet)];
  if (entry.part.empty() && !entry.added)
    throw WorkbookError(Kind::kReadOnlyCell, impl.PlaceOf(sheet, row, column));
  if (value.IsNumber() && !std::isfinite(value.Number()))
    throw WorkbookError(Kind::kBadValue, impl.PlaceOf(sheet, row, column), messages::kNotFinite);
  if (value.IsText() && limits::TextTooLong(value.Text()))
    throw WorkbookError(Kind::kBadValue, impl.PlaceOf(sheet, row, column),
                        messages::kCellTextTooLong);
  if (entry.data.InArrayFormula(row, column))
    throw WorkbookError(Kind::kReadOnlyCell, impl.PlaceOf(sheet, row, column),
                        messages::kArrayFormula);
  if (entry.data.IsSharedFormulaMaster(row, column))
    throw WorkbookError(Kind::kReadOnlyCell, impl.PlaceOf(sheet, row, column),
                        messages::kSharedFormulaMaster);
}

void CheckColorIndex(const Workbook::Impl& impl, int sheet, int row, int column, int color_index,
                     bool allow_automatic) {
  CheckCell(impl, sheet, row, column);
  bool valid = (color_index >= 1 && color_index <= 56) || color_index == kColorIndexNone ||
               (allow_automatic && color_index == kColorIndexAutomatic);
  if (!valid)
    throw WorkbookError(Kind::kBadValue, impl.PlaceOf(sheet, row, column),
                        messages::kBadColorIndex);
  const SheetEntry& entry = impl.sheets[static_cast<size_t>(sheet)];
  if (entry.part.empty() && !entry.added)
    throw WorkbookError(Kind::kReadOnlyCell, impl.PlaceOf(sheet, row, column));
}

// Writes after CheckWritable passed; skips writes that change nothing.
void Store(Workbook::Impl& impl, int sheet, int row, int column, const CellValue& value) {
  SheetData& data = impl.sheets[static_cast<size_t>(sheet)].data;
  const Cell* existing = data.Find(row, column);
  if (existing != nullptr && !existing->formula && existing->value == value) return;
  if (existing == nullptr && value.IsEmpty()) return;
  impl.ReportBefore(sheet, row, column);
  Cell& cell = data.Change(row, column);
  cell.value = value;
  cell.formula = false;
  cell.value_changed = true;
  impl.MarkCellsChanged();
  if (impl.listener) impl.listener(sheet, row, column);
}

Workbook::CellState StateOfCell(const Workbook::Impl& impl, int sheet, int row, int column) {
  const SheetData& data = impl.sheets[static_cast<size_t>(sheet)].data;
  Workbook::CellState state;
  state.style = data.StyleAt(row, column);
  if (const Cell* cell = data.Find(row, column)) {
    state.value = cell->value;
    state.formula = cell->formula;
  }
  return state;
}

}  // namespace

CellValue Workbook::Value(int sheet, int row, int column) const {
  Recalculate();
  CheckCell(*impl_, sheet, row, column);
  const Cell* cell = impl_->sheets[static_cast<size_t>(sheet)].data.Find(row, column);
  return cell == nullptr ? CellValue() : cell->value;
}

std::string Workbook::DisplayText(int sheet, int row, int column) const {
  Recalculate();
  CheckCell(*impl_, sheet, row, column);
  const Cell* cell = impl_->sheets[static_cast<size_t>(sheet)].data.Find(row, column);
  if (cell == nullptr || cell->value.IsEmpty()) return {};
  return FormatCellText(cell->value, impl_->styles->NumberFormat(cell->style), impl_->date1904);
}

void Workbook::SetValue(int sheet, int row, int column, const CellValue& value) {
  CheckWritable(*impl_, sheet, row, column, value);
  Store(*impl_, sheet, row, column, value);
}

CellValue Workbook::ReadCell(const CellRange& range, int row, int column) const {
  return Value(range.sheet, range.top + row - 1, range.left + column - 1);
}

std::string Workbook::ReadCellText(const CellRange& range, int row, int column) const {
  return DisplayText(range.sheet, range.top + row - 1, range.left + column - 1);
}

Table Workbook::ReadRange(const CellRange& range) const {
  Recalculate();
  CheckRangeSize(*impl_, range);
  CheckCell(*impl_, range.sheet, range.top, range.left);
  CheckCell(*impl_, range.sheet, range.bottom, range.right);
  const SheetData& data = impl_->sheets[static_cast<size_t>(range.sheet)].data;
  Table table(static_cast<size_t>(range.Rows()));
  for (int r = 0; r < range.Rows(); ++r) {
    auto& line = table[static_cast<size_t>(r)];
    line.resize(static_cast<size_t>(range.Columns()));
    for (int c = 0; c < range.Columns(); ++c) {
      if (const Cell* cell = data.Find(range.top + r, range.left + c))
        line[static_cast<size_t>(c)] = cell->value;
    }
  }
  return table;
}

std::vector<std::vector<std::string>> Workbook::ReadGrid(const CellRange& range) const {
  Recalculate();
  CheckRangeSize(*impl_, range);
  CheckCell(*impl_, range.sheet, range.top, range.left);
  CheckCell(*impl_, range.sheet, range.bottom, range.right);
  std::vector<std::vector<std::string>> grid(static_cast<size_t>(range.Rows()));
  for (int r = 0; r < range.Rows(); ++r) {
    auto& line = grid[static_cast<size_t>(r)];
    line.reserve(static_cast<size_t>(range.Columns()));
    for (int c = 0; c < range.Columns(); ++c)
      line.push_back(DisplayText(range.sheet, range.top + r, range.left + c));
  }
  return grid;
}

void Workbook::WriteCell(const CellRange& range, int row, int column, const CellValue& value) {
  SetValue(range.sheet, range.top + row - 1, range.left + column - 1, value);
}

void Workbook::WriteRange(const CellRange& range, const CellValue& value) {
  CheckRangeSize(*impl_, range);
  for (int r = range.top; r <= range.bottom; ++r)
    for (int c = range.left; c <= range.right; ++c) CheckWritable(*impl_, range.sheet, r, c, value);
  for (int r = range.top; r <= range.bottom; ++r)
    for (int c = range.left; c <= range.right; ++c) Store(*impl_, range.sheet, r, c, value);
}

void Workbook::WriteBlock(const CellRange& range, const Table& values) {
  bool shaped = static_cast<int>(values.size()) == range.Rows();
  for (const auto& line : values)
    if (static_cast<int>(line.size()) != range.Columns()) shaped = false;
  if (!shaped)
    throw WorkbookError(Kind::kBadValue, impl_->PlaceOf(range.sheet, range.top, range.left),
                        messages::kShapeMismatch);
  for (int r = 0; r < range.Rows(); ++r)
    for (int c = 0; c < range.Columns(); ++c)
      CheckWritable(*impl_, range.sheet, range.top + r, range.left + c,
                    values[static_cast<size_t>(r)][static_cast<size_t>(c)]);
  for (int r = 0; r < range.Rows(); ++r)
    for (int c = 0; c < range.Columns(); ++c)
      Store(*impl_, range.sheet, range.top + r, range.left + c,
            values[static_cast<size_t>(r)][static_cast<size_t>(c)]);
}

// --- Appearance ---------------------------------------------------------------

int Workbook::InteriorColorIndex(int sheet, int row, int column) const {
  CheckCell(*impl_, sheet, row, column);
  std::uint32_t style = impl_->sheets[static_cast<size_t>(sheet)].data.StyleAt(row, column);
  return impl_->styles->FillColorIndex(style);
}

void Workbook::SetInteriorColorIndex(int sheet, int row, int column, int color_index) {
  CheckColorIndex(*impl_, sheet, row, column, color_index, true);
  SheetData& data = impl_->sheets[static_cast<size_t>(sheet)].data;
  std::uint32_t style = impl_->styles->WithFill(data.StyleAt(row, column), color_index);
  if (style == data.StyleAt(row, column)) return;
  impl_->ReportBefore(sheet, row, column);
  data.Change(row, column).style = style;
  impl_->modified = true;
  if (impl_->listener) impl_->listener(sheet, row, column);
}

int Workbook::BorderColorIndex(int sheet, int row, int column, Edge edge) const {
  CheckCell(*impl_, sheet, row, column);
  std::uint32_t style = impl_->sheets[static_cast<size_t>(sheet)].data.StyleAt(row, column);
  return impl_->styles->BorderColorIndex(style, edge);
}

void Workbook::SetBorderColorIndex(int sheet, int row, int column, int color_index) {
  CheckColorIndex(*impl_, sheet, row, column, color_index, true);
  SheetData& data = impl_->sheets[static_cast<size_t>(sheet)].data;
  std::uint32_t style = impl_->styles->WithBorderColor(data.StyleAt(row, column), color_index);
  if (style == data.StyleAt(row, column)) return;
  impl_->ReportBefore(sheet, row, column);
  data.Change(row, column).style = style;
  impl_->modified = true;
  if (impl_->listener) impl_->listener(sheet, row, column);
}

// --- Undo ---------------------------------------------------------------------

void Workbook::Impl::ReportBefore(int sheet, int row, int column) const {
  if (!before_listener || recalculating) return;
  const Workbook::CellState state = StateOfCell(*this, sheet, row, column);
  before_listener(sheet, row, column, state);
}

void Workbook::SetBeforeChangeListener(BeforeChangeListener listener) {
  impl_->before_listener = std::move(listener);
}

Workbook::CellState Workbook::StateOf(int sheet, int row, int column) const {
  CheckCell(*impl_, sheet, row, column);
  return StateOfCell(*impl_, sheet, row, column);
}

void Workbook::RestoreState(int sheet, int row, int column, const CellState& state) {
  CheckCell(*impl_, sheet, row, column);
  if (StateOfCell(*impl_, sheet, row, column) == state) return;
  impl_->ReportBefore(sheet, row, column);
  SheetData& data = impl_->sheets[static_cast<size_t>(sheet)].data;
  Cell& cell = data.Change(row, column);
  cell.value = state.value;
  cell.style = state.style;
  cell.formula = state.formula;
  cell.value_changed = true;
  impl_->MarkCellsChanged();
  if (impl_->listener) impl_->listener(sheet, row, column);
}

}  // namespace tsumiki::workbook

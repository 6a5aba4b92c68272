#include "conditions/load_reader.h"

#include <algorithm>
#include <string>

#include "workbook/reading_modes.h"

namespace tsumiki {

using workbook::WorkbookError;

NamedRangeReader::NamedRangeReader(workbook::Workbook& book, const layout::NameSpec& name_spec)
    : book_(&book), spec_(&name_spec) {
  try {
    range_ = layout::Range(book, name_spec);
  } catch (const WorkbookError& error) {
    // The store may not know which sheet the name was looked up on.
    WorkbookError::Place place = error.place();
    if (place.sheet.empty()) place.sheet = std::string(name_spec.sheet);
    if (place.name.empty()) place.name = std::string(name_spec.name);
    throw WorkbookError(error.kind(), place, error.detail());
  }
}

NamedRangeReader::NamedRangeReader(workbook::Workbook& book, const layout::NameSpec& name_spec,
                                   const workbook::CellRange& range)
    : book_(&book), spec_(&name_spec), range_(range) {}

std::optional<NamedRangeReader> NamedRangeReader::IfPresent(workbook::Workbook& book,
                                                            const layout::NameSpec& name_spec) {
  if (!layout::Has(book, name_spec)) return std::nullopt;
  return NamedRangeReader(book, name_spec, layout::Range(book, name_spec));
}

WorkbookError::Place NamedRangeReader::PlaceOf(int row, int column) const {
  WorkbookError::Place place;
  place.sheet = book_->SheetName(range_.sheet);
  place.name = std::string(spec_->name);
  place.cell = layout::CellName(range_.top + row - 1, range_.left + column - 1);
  return place;
}

void NamedRangeReader::RequireSize(int rows, int columns) const {
  if (range_.Rows() >= rows && range_.Columns() >= columns) return;
  auto size = [](int r, int c) { return std::to_string(r) + "行×" + std::to_string(c) + "列"; };
  WorkbookError::Place place = PlaceOf();
  place.cell += ":" + layout::CellName(range_.bottom, range_.right);
  throw WorkbookError(WorkbookError::Kind::kRangeTooSmall, place,
                      size(range_.Rows(), range_.Columns()) + "あり、" +
                          size(std::max(rows, range_.Rows()), std::max(columns, range_.Columns())) +
                          "が必要です");
}

void NamedRangeReader::RequireCells(int cells) const {
  if (range_.CellCount() >= cells) return;
  WorkbookError::Place place = PlaceOf();
  place.cell += ":" + layout::CellName(range_.bottom, range_.right);
  throw WorkbookError(
      WorkbookError::Kind::kRangeTooSmall, place,
      std::to_string(range_.CellCount()) + "セルあり、" + std::to_string(cells) + "セルが必要です");
}

void NamedRangeReader::Fail(std::string_view detail, int row, int column) const {
  throw WorkbookError(WorkbookError::Kind::kBadValue, PlaceOf(row, column), std::string(detail));
}

workbook::CellValue NamedRangeReader::Value(int row, int column) const {
  try {
    return book_->ReadCell(range_, row, column);
  } catch (const WorkbookError& error) {
    throw WorkbookError(error.kind(), PlaceOf(row, column), error.detail());
  }
}

std::string NamedRangeReader::Text(int row, int column) const {
  return workbook::ValueToText(Value(row, column));
}

int NamedRangeReader::DisplayedNumber(int row, int column) const {
  std::string shown;
  try {
    shown = book_->ReadCellText(range_, row, column);
  } catch (const WorkbookError& error) {
    throw WorkbookError(error.kind(), PlaceOf(row, column), error.detail());
  }
  return workbook::DisplayedTextToNumber(shown, PlaceOf(row, column));
}

int NamedRangeReader::ValueTextInt(int row, int column) const {
  return workbook::ValueTextToInt(Value(row, column), PlaceOf(row, column));
}

float NamedRangeReader::ValueTextSingle(int row, int column) const {
  return workbook::ValueTextToSingle(Value(row, column), PlaceOf(row, column));
}

double NamedRangeReader::ValueTextDouble(int row, int column) const {
  return workbook::ValueTextToDouble(Value(row, column), PlaceOf(row, column));
}

int NamedRangeReader::Int(int row, int column) const {
  return workbook::ValueToInt(Value(row, column), PlaceOf(row, column));
}

float NamedRangeReader::Single(int row, int column) const {
  return workbook::ValueToSingle(Value(row, column), PlaceOf(row, column));
}

bool NamedRangeReader::IsTrue(int row, int column) const {
  return workbook::EqualsTrue(Value(row, column));
}

bool NamedRangeReader::IsFalse(int row, int column) const {
  return workbook::EqualsFalse(Value(row, column));
}

}  // namespace tsumiki

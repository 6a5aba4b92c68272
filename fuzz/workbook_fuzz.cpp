// Feeds arbitrary bytes to the package reader and exercises what a session reads.
// An input starting with '<' is a worksheet XML, wrapped into a package first.
// Anything but a WorkbookError escaping, or a crash, is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sheet_package.h"
#include "workbook/workbook.h"

using tsumiki::workbook::CellRange;
using tsumiki::workbook::Edge;
using tsumiki::workbook::Workbook;
using tsumiki::workbook::WorkbookError;

namespace {

void Exercise(Workbook& book) {
  for (int sheet = 0; sheet < book.SheetCount(); ++sheet) {
    const std::string& name = book.SheetName(sheet);
    for (int row = 1; row <= 12; ++row) {
      for (int column = 1; column <= 12; ++column) {
        book.Value(sheet, row, column);
        book.DisplayText(sheet, row, column);
        book.InteriorColorIndex(sheet, row, column);
        book.BorderColorIndex(sheet, row, column, Edge::kTop);
      }
    }
    for (const char* defined : {"Time_Table", "Member_Cnt", "係数", "Rate"}) {
      if (!book.HasSheetRange(name, defined)) continue;
      CellRange range = book.SheetRange(name, defined);
      if (range.CellCount() <= 4096) book.ReadGrid(range);
    }
    book.SetValue(sheet, 2, 2, "勤務");
    book.SetInteriorColorIndex(sheet, 2, 2, 6);
    book.SetBorderColorIndex(sheet, 2, 2, 3);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && bytes.front() == '<') bytes = tsumiki::fuzz::PackageWithSheet(bytes);
    auto book = Workbook::OpenFromMemory(std::move(bytes), "fuzz.xlsx");
    Exercise(*book);
  } catch (const WorkbookError&) {
    // The one expected way to refuse a package or a cell.
  }
  return 0;
}

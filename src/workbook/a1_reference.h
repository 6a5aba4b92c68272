#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tsumiki::workbook {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// A rectangle without a sheet, 1-based and inclusive.
struct Area {
  int top = 1;
  int left = 1;
  int bottom = 1;
  int right = 1;
};

// "A" -> 1, "XFD" -> 16384; nullopt when not a column or out of the grid.
std::optional<int> ParseColumn(std::string_view letters);
std::string ColumnLetters(int column);
// "B3" -> row 3, column 2.
std::string CellName(int row, int column);

// "C1", "$A$1:$B$3", "A:C", "$1:$2". Out-of-grid references give nullopt.
std::optional<Area> ParseArea(std::string_view a1);

// A reference such as "'My ''Sheet'''!$A$1:$B$2" split into its sheet and its area text.
struct SheetReference {
  std::string sheet;  // empty when the text names no sheet
  std::string area;
};
// Nullopt for anything that is not one plain area: unions, 3-D and external
// references, "#REF!", constants and formulas.
std::optional<SheetReference> SplitSheetReference(std::string_view text);

// Quotes a sheet name for a reference when it holds anything but letters and digits.
std::string QuoteSheetName(std::string_view sheet);

}  // namespace tsumiki::workbook

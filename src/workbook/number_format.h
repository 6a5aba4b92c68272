#pragma once

#include <string>
#include <string_view>

#include "workbook/cell_value.h"

namespace tsumiki::workbook {

// The code of a built-in number format id (those files leave implied), as
// Japanese Excel shows them; "General" for unknown ids.
std::string BuiltinFormatCode(int id);

// The text a cell shows: General, the number placeholders (0 # ? , . % E+),
// literals, sections (positive;negative;zero;text) and the date and time codes
// (including the Japanese weekday "aaa" and eras "ggge").
std::string FormatCellText(const CellValue& value, std::string_view code, bool date1904 = false);
std::string FormatGeneral(double value);

// `value` (not negative) rounded half away from zero on its 15-digit decimal form,
// as "123.450" with exactly `decimals` digits after the point (no point for 0).
std::string RoundedDecimal(double value, int decimals);

}  // namespace tsumiki::workbook

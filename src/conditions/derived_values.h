#pragma once

#include <optional>
#include <string>

#include "workbook/cell_value.h"

namespace tsumiki::layout {

// A cell counts as filled in when it holds anything but nothing or the empty text.
bool IsBlank(const workbook::CellValue& value);

// The value as the planner reads it: numbers without a trailing ".0", TRUE/FALSE,
// error codes as stored.
std::string ValueText(const workbook::CellValue& value);

// A number, or a text that is a whole decimal number ("12", " 3.5 "). Anything else,
// including the empty cell, is nullopt.
std::optional<double> AsNumber(const workbook::CellValue& value);

// Trims ASCII white space and the ideographic space U+3000 at both ends.
std::string TrimSpaces(std::string_view text);

}  // namespace tsumiki::layout

#pragma once

#include <string>
#include <string_view>

#include "workbook/workbook.h"

namespace tsumiki::layout {

// Columns a text takes on a terminal: East Asian wide and full-width characters
// count two, everything else one.
int DisplayWidth(std::string_view text);

// Time_Table as text: a heading with the period, then one line per member (number
// and name) and one column per day headed by the date and weekday, aligned for
// double-width characters. With `colour`, each duty is shown on its duty type's
// fill (ANSI 24-bit colour). Rest days show as "・" so the grid stays readable.
std::string RosterText(const workbook::Workbook& book, bool colour);

}  // namespace tsumiki::layout

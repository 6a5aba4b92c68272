#pragma once

#include <string>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

namespace tsumiki {

// The month as one self-contained HTML5 page for the staff's phones and for
// printing: inline CSS and no script; a list of names at the top whose links jump
// to each member's row (id "m<row>"); the roster with the name column kept in view
// while the days scroll sideways; each duty on its 略称 colour, the work days and
// days off at the row's end; a legend of the duties. `workplace` heads the page
// with the month.
std::string RosterHtml(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals, const std::string& workplace);

// Text with &, <, >, " and ' as character references.
std::string HtmlEscape(const std::string& text);

}  // namespace tsumiki

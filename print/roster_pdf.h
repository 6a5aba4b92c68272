#pragma once

#include <string>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

namespace tsumiki {

// Writes the roster on one landscape page (A4, or A3 with `a3`) as a PDF: the
// month, members, dates with weekdays, each duty on its colour, and the
// per-member totals beside the grid, all scaled to fit the page. Works without a
// display: a QGuiApplication is made when there is none, on the offscreen
// platform unless QT_QPA_PLATFORM names another. Returns an empty text, or why
// the file could not be written.
std::string WriteRosterPdf(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals, const std::string& path, bool a3);

}  // namespace tsumiki

#pragma once

#include <optional>
#include <string>

#include "check/roster_reading.h"
#include "check/roster_totals.h"
#include "print/roster_sheet.h"

namespace tsumiki {

// The laid-out pages as a PDF, each page landscape on the document's paper (A4
// or A3) with the grid scaled to fit. Works without a display: a
// QGuiApplication is made when there is none, on the offscreen platform unless
// QT_QPA_PLATFORM names another. Nullopt when the painter could not start.
std::optional<std::string> RenderRosterPdf(const PrintedRoster& roster);

// Writes the roster on one page as a PDF file: the month, members, dates with
// weekdays, each duty on its colour, and the per-member totals beside the grid.
// Returns an empty text, or why the file could not be written.
std::string WriteRosterPdf(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals, const std::string& path, bool a3);

}  // namespace tsumiki

#pragma once

#include <QRect>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

class QPainter;

namespace tsumiki {

// Draws the roster as one printed page within `page` (device pixels of the
// painter): the month, members, dates with weekdays, each duty on its colour, and
// the per-member totals beside the grid, all scaled to fit.
void DrawRosterPage(QPainter& painter, const QRect& page, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals);

}  // namespace tsumiki

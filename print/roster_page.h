#pragma once

#include <QRect>

#include "print/roster_sheet.h"

class QPainter;

namespace tsumiki {

// Draws the page within `area` (device pixels of the painter), scaled to fit.
void DrawRosterPage(QPainter& painter, const QRect& area, const RosterPage& page);
void DrawRosterPage(QPainter& painter, const QRect& area, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals);

}  // namespace tsumiki

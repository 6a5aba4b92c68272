#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

class QPainter;

namespace tsumiki {

// One cell of the printed grid; `width` in units of a day column.
struct PageCell {
  QString text;
  QColor fill = Qt::white;
  QColor ink = Qt::black;
  double width = 1;
};

struct PageLegendItem {
  QString abbrev;
  QString name;
  QColor fill;
};

// What the printed page holds, before it is scaled onto a painter: the title, the
// grid's rows (dates, weekdays, one per member, then each duty's staff per day),
// and the legend of the duties under it. Saturdays and Sundays are shaded where
// no duty colour stands; a day short of its need shows its count in red.
struct RosterPage {
  QString title;
  std::vector<std::vector<PageCell>> rows;
  std::vector<PageLegendItem> legend;
};

RosterPage BuildRosterPage(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals);

// Draws the page within `page` (device pixels of the painter), scaled to fit.
void DrawRosterPage(QPainter& painter, const QRect& page, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals);

// The weekend shades of the page.
inline const QColor kSaturdayShade{0xDD, 0xEB, 0xF7};
inline const QColor kSundayShade{0xFC, 0xE4, 0xD6};
inline const QColor kShortInk{0xC0, 0x00, 0x00};

}  // namespace tsumiki

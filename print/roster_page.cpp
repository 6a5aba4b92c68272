#include "print/roster_page.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <algorithm>

namespace tsumiki {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QColor Colour(Rgb rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

}  // namespace

void DrawRosterPage(QPainter& painter, const QRect& area, const RosterPage& page) {
  if (page.rows.empty()) return;
  double units = 0;
  for (const PageCell& cell : page.rows.front()) units += cell.width;
  // The title, the grid, a gap and the legend.
  const int lines = static_cast<int>(page.rows.size()) + 3;
  const double unit = area.width() / units * kDayWidth;  // one day column
  const double scale = unit / kDayWidth;
  const double row_height = std::min(area.height() / static_cast<double>(lines), unit * 1.2);
  painter.save();
  painter.translate(area.topLeft());
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(std::max(1, static_cast<int>(std::min(row_height, unit * 1.3) * 0.55)));
  painter.setFont(font);
  const QPen line(Qt::black, std::max(1.0, row_height / 40));
  painter.setPen(line);
  painter.drawText(QRectF(0, 0, area.width(), row_height), Qt::AlignLeft | Qt::AlignVCenter,
                   Q(page.title));

  const auto draw = [&](const QRectF& box, const std::string& text, Rgb fill, Rgb ink) {
    painter.fillRect(box, Colour(fill));
    painter.setPen(line);
    painter.drawRect(box);
    painter.setPen(QPen(Colour(ink)));
    painter.drawText(box, Qt::AlignCenter, Q(text));
  };
  double y = row_height;
  for (const std::vector<PageCell>& row : page.rows) {
    double x = 0;
    for (const PageCell& cell : row) {
      draw(QRectF(x, y, cell.width * scale, row_height), cell.text, cell.fill, cell.ink);
      x += cell.width * scale;
    }
    y += row_height;
  }
  // The legend: each duty's colour and short name, then its full name.
  y += row_height;
  double x = 0;
  const QFontMetricsF metrics(font);
  for (const PageLegendItem& item : page.legend) {
    draw(QRectF(x, y, unit * 1.2, row_height), item.abbrev, item.fill, kBlack);
    x += unit * 1.4;
    const QString name = Q(item.name);
    const double name_width = metrics.horizontalAdvance(name) + unit;
    painter.setPen(QPen(Qt::black));
    painter.drawText(QRectF(x, y, name_width, row_height), Qt::AlignLeft | Qt::AlignVCenter,
                     name);
    x += name_width;
  }
  painter.restore();
}

void DrawRosterPage(QPainter& painter, const QRect& area, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals) {
  DrawRosterPage(painter, area, BuildRosterPage(model, labels, totals));
}

}  // namespace tsumiki

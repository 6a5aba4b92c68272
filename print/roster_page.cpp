#include "print/roster_page.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <vector>

#include "workbook/color_palette.h"

namespace tsumiki {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QColor Fill(int colour_index) {
  if (colour_index < 1 || colour_index > 56) return Qt::white;
  return QColor::fromRgb(workbook::DefaultPalette()[static_cast<std::size_t>(colour_index - 1)]);
}

struct Column {
  double width;  // in units of a day column
  QString head;
  QString second;  // the weekday row
};

}  // namespace

void DrawRosterPage(QPainter& painter, const QRect& page, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals) {
  painter.save();
  painter.translate(page.topLeft());
  // Columns: number, name, the days, then the totals of each member.
  std::vector<Column> columns{{1.6, QStringLiteral("番号"), {}}, {4.5, QStringLiteral("氏名"), {}}};
  for (int d = 1; d <= model.DayCount; ++d) {
    // The day of the month alone: the title names the month.
    const QString day = labels.first_date
                            ? QString::number(layout::AddDays(*labels.first_date, d - 1).day)
                            : QString::number(d);
    columns.push_back({1.0, day, Q(labels.WeekdayText(d))});
  }
  const int first_total = static_cast<int>(columns.size());
  for (int t = 1; t <= model.TypeCount; ++t) columns.push_back({1.0, Q(model.TypeAbbrev(t)), {}});
  for (const char* head : {"勤務", "目標", "休日", "単勤", "単休"}) {
    columns.push_back({1.8, QString::fromUtf8(head), {}});
  }

  double units = 0;
  for (const Column& c : columns) units += c.width;
  const int rows = model.MemberCount + 3;  // title, dates, weekdays, members
  const double unit = page.width() / units;
  const double row_height = std::min(page.height() / static_cast<double>(rows), unit * 1.2);
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(std::max(1, static_cast<int>(std::min(row_height, unit * 1.3) * 0.55)));
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, std::max(1.0, row_height / 40)));

  QString title = QStringLiteral("勤務表");
  if (labels.first_date) {
    title = QString::number(labels.first_date->year) + QStringLiteral("年") +
            QString::number(labels.first_date->month) + QStringLiteral("月 ") + title;
  }
  painter.drawText(QRectF(0, 0, page.width(), row_height), Qt::AlignLeft | Qt::AlignVCenter, title);

  auto cell = [&](double x, double y, double w, const QString& text, const QColor& fill) {
    const QRectF box(x, y, w, row_height);
    painter.fillRect(box, fill);
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, text);
  };
  double x = 0;
  for (const Column& c : columns) {
    cell(x, row_height, c.width * unit, c.head, QColor(0xCC, 0xFF, 0xFF));
    cell(x, 2 * row_height, c.width * unit, c.second, QColor(0xCC, 0xFF, 0xFF));
    x += c.width * unit;
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    const MemberTotals& sum = totals.members[static_cast<std::size_t>(m - 1)];
    std::vector<QString> texts{Q(model.MemberInfo(m, 1)), Q(model.MemberInfo(m, 2))};
    std::vector<QColor> fills(columns.size(), Qt::white);
    for (int d = 1; d <= model.DayCount; ++d) {
      const int code = model.Roster(m, d);
      const bool duty = code >= 1 && code <= model.TypeCount;
      texts.push_back(duty ? Q(model.TypeAbbrev(code)) : code == kRestDay ? QString() : "?");
      if (duty) {
        fills[texts.size() - 1] = Fill(labels.duty_fills[static_cast<std::size_t>(code - 1)]);
      }
    }
    for (const int count : sum.duties) texts.push_back(QString::number(count));
    for (const int value :
         {sum.work_days, sum.target, sum.days_off, sum.single_work, sum.single_rest}) {
      texts.push_back(QString::number(value));
    }
    x = 0;
    const double y = (m + 2) * row_height;
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const QColor fill = static_cast<int>(c) >= first_total ? QColor(0xF2, 0xF2, 0xF2) : fills[c];
      cell(x, y, columns[c].width * unit, texts[c], fill);
      x += columns[c].width * unit;
    }
  }
  painter.restore();
}

}  // namespace tsumiki

#include "print/roster_page.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <optional>

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

// Duty t's full name and colour, as the legend and the count rows show them.
QString DutyName(const MonthLabels& labels, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  return index < labels.duty_names.size() ? Q(labels.duty_names[index]) : QString();
}
QColor DutyFill(const MonthLabels& labels, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  return index < labels.duty_fills.size() ? Fill(labels.duty_fills[index]) : QColor(Qt::white);
}

const QColor kHeadFill(0xCC, 0xFF, 0xFF);
const QColor kSumFill(0xF2, 0xF2, 0xF2);
constexpr double kNumberWidth = 1.6;
constexpr double kNameWidth = 4.5;
constexpr double kSumWidth = 1.8;
constexpr const char* kSumHeads[] = {"勤務", "目標", "休日", "単勤", "単休"};

// Saturday and Sunday of day d, as the sheet's weekday row names them.
std::optional<QColor> WeekendShade(const MonthLabels& labels, int day) {
  if (!labels.first_date) return std::nullopt;
  const int weekday = layout::Weekday(layout::AddDays(*labels.first_date, day - 1));
  if (weekday == 6) return kSaturdayShade;
  if (weekday == 0) return kSundayShade;
  return std::nullopt;
}

QColor DayFill(const MonthLabels& labels, int day, const QColor& plain) {
  return WeekendShade(labels, day).value_or(plain);
}

int TotalColumns(const ConditionModel& model) {
  return model.TypeCount + static_cast<int>(std::size(kSumHeads));
}

std::vector<PageCell> HeadRow(const ConditionModel& model, const MonthLabels& labels, bool dates) {
  std::vector<PageCell> row{
      {dates ? QStringLiteral("番号") : QString(), kHeadFill, Qt::black, kNumberWidth},
      {dates ? QStringLiteral("氏名") : QString(), kHeadFill, Qt::black, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    // The day of the month alone: the title names the month.
    const QString day = labels.first_date
                            ? QString::number(layout::AddDays(*labels.first_date, d - 1).day)
                            : QString::number(d);
    row.push_back({dates ? day : Q(labels.WeekdayText(d)), DayFill(labels, d, kHeadFill)});
  }
  if (dates) {
    for (int t = 1; t <= model.TypeCount; ++t) row.push_back({Q(model.TypeAbbrev(t)), kHeadFill});
    for (const char* head : kSumHeads) {
      row.push_back({QString::fromUtf8(head), kHeadFill, Qt::black, kSumWidth});
    }
  } else {
    for (int c = 0; c < TotalColumns(model); ++c) {
      row.push_back({{}, kHeadFill, Qt::black, c < model.TypeCount ? 1.0 : kSumWidth});
    }
  }
  return row;
}

std::vector<PageCell> MemberRow(const ConditionModel& model, const MonthLabels& labels,
                                const MemberTotals& sum, int m) {
  std::vector<PageCell> row{{Q(model.MemberInfo(m, 1)), Qt::white, Qt::black, kNumberWidth},
                            {Q(model.MemberInfo(m, 2)), Qt::white, Qt::black, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    const int code = model.Roster(m, d);
    const bool duty = code >= 1 && code <= model.TypeCount;
    PageCell cell{duty               ? Q(model.TypeAbbrev(code))
                  : code == kRestDay ? QString()
                                     : "?",
                  DayFill(labels, d, Qt::white)};
    if (duty) {
      const QColor fill = DutyFill(labels, code);
      // A duty without a colour of its own keeps the weekend's shade.
      if (fill != Qt::white) cell.fill = fill;
    }
    row.push_back(cell);
  }
  for (const int count : sum.duties) row.push_back({QString::number(count), kSumFill});
  for (const int value :
       {sum.work_days, sum.target, sum.days_off, sum.single_work, sum.single_rest}) {
    row.push_back({QString::number(value), kSumFill, Qt::black, kSumWidth});
  }
  return row;
}

// Duty t's staff on each day, red where fewer than needed.
std::vector<PageCell> CountRow(const ConditionModel& model, const MonthLabels& labels,
                               const RosterTotals& totals, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  std::vector<PageCell> row{{QStringLiteral("人数"), kSumFill, Qt::black, kNumberWidth},
                            {DutyName(labels, t), kSumFill, Qt::black, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    const int staff = day.staff[index];
    row.push_back({QString::number(staff), DayFill(labels, d, kSumFill),
                   staff < day.need[index] ? kShortInk : QColor(Qt::black)});
  }
  for (int c = 0; c < TotalColumns(model); ++c) {
    row.push_back({{}, Qt::white, Qt::black, c < model.TypeCount ? 1.0 : kSumWidth});
  }
  return row;
}

}  // namespace

RosterPage BuildRosterPage(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals) {
  RosterPage page;
  page.title = QStringLiteral("勤務表");
  if (labels.first_date) {
    page.title = QString::number(labels.first_date->year) + QStringLiteral("年") +
                 QString::number(labels.first_date->month) + QStringLiteral("月 ") + page.title;
  }
  page.rows.push_back(HeadRow(model, labels, true));
  page.rows.push_back(HeadRow(model, labels, false));
  for (int m = 1; m <= model.MemberCount; ++m) {
    page.rows.push_back(
        MemberRow(model, labels, totals.members[static_cast<std::size_t>(m - 1)], m));
  }
  if (totals.days.size() >= static_cast<std::size_t>(model.DayCount)) {
    for (int t = 1; t <= model.TypeCount; ++t)
      page.rows.push_back(CountRow(model, labels, totals, t));
  }
  for (int t = 1; t <= model.TypeCount; ++t) {
    page.legend.push_back({Q(model.TypeAbbrev(t)), DutyName(labels, t), DutyFill(labels, t)});
  }
  return page;
}

void DrawRosterPage(QPainter& painter, const QRect& area, const ConditionModel& model,
                    const MonthLabels& labels, const RosterTotals& totals) {
  const RosterPage page = BuildRosterPage(model, labels, totals);
  double units = 0;
  for (const PageCell& cell : page.rows.front()) units += cell.width;
  // The title, the grid, a gap and the legend.
  const int lines = static_cast<int>(page.rows.size()) + 3;
  const double unit = area.width() / units;
  const double row_height = std::min(area.height() / static_cast<double>(lines), unit * 1.2);
  painter.save();
  painter.translate(area.topLeft());
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(std::max(1, static_cast<int>(std::min(row_height, unit * 1.3) * 0.55)));
  painter.setFont(font);
  const QPen line(Qt::black, std::max(1.0, row_height / 40));
  painter.setPen(line);
  painter.drawText(QRectF(0, 0, area.width(), row_height), Qt::AlignLeft | Qt::AlignVCenter,
                   page.title);

  const auto draw = [&](const QRectF& box, const PageCell& cell) {
    painter.fillRect(box, cell.fill);
    painter.setPen(line);
    painter.drawRect(box);
    painter.setPen(QPen(cell.ink));
    painter.drawText(box, Qt::AlignCenter, cell.text);
  };
  double y = row_height;
  for (const std::vector<PageCell>& row : page.rows) {
    double x = 0;
    for (const PageCell& cell : row) {
      draw(QRectF(x, y, cell.width * unit, row_height), cell);
      x += cell.width * unit;
    }
    y += row_height;
  }
  // The legend: each duty's colour and short name, then its full name.
  y += row_height;
  double x = 0;
  const QFontMetricsF metrics(font);
  for (const PageLegendItem& item : page.legend) {
    draw(QRectF(x, y, unit * 1.2, row_height), PageCell{item.abbrev, item.fill});
    x += unit * 1.4;
    const double name_width = metrics.horizontalAdvance(item.name) + unit;
    painter.setPen(QPen(Qt::black));
    painter.drawText(QRectF(x, y, name_width, row_height), Qt::AlignLeft | Qt::AlignVCenter,
                     item.name);
    x += name_width;
  }
  painter.restore();
}

}  // namespace tsumiki

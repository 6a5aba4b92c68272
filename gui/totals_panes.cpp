#include "gui/totals_panes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/border_delegate.h"
#include "gui/colours.h"
#include "gui/sheet_view.h"
#include "gui/totals_models.h"
#include "gui/totals_texts.h"

namespace tsumiki::gui {

namespace {
constexpr int kCountColumnPixels = 30;
// The wishes' heads are a character longer than the others.
constexpr int kWishColumnPixels = 44;
constexpr int kLegendChipPixels = 30;

// A table that shows numbers beside the grid: its rows as high as the grid's,
// nothing to edit, scrolled as the frozen grid is (columns by the pixel, rows whole).
QTableView* MakeTable(QWidget* parent, const SheetView& sheet) {
  auto* table = new QTableView(parent);
  UseSheetGrid(*table);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Whole rows, as the grid's free rows scroll.
  table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  table->verticalHeader()->setDefaultSectionSize(sheet.verticalHeader()->defaultSectionSize());
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  return table;
}

// The pane's bar follows the grid's, never the other way: a pane whose range is
// still being laid out must not pull the grid back.
void Follow(QScrollBar* grid, QScrollBar* pane) {
  QObject::connect(grid, &QScrollBar::valueChanged, pane, &QScrollBar::setValue);
}
}  // namespace

TotalsPanes::TotalsPanes(SheetView& sheet, QGridLayout& page, const JudgedMonth& month,
                         QObject* parent)
    : QObject(parent),
      sheet_(sheet),
      month_(month),
      member_model_(new MemberTotalsModel(month, *sheet.model(), sheet.FrozenRows(), this)),
      day_model_(new DayTotalsModel(month, *sheet.model(), sheet.FrozenColumns(), this)) {
  BuildMemberPane(page);
  BuildDayPane(page);
  legend_ = new QWidget(page.parentWidget());
  legend_->setObjectName(QStringLiteral("DutyLegend"));
  legend_->setToolTip(kLegendTip);
  page.addWidget(legend_, 1, 1, Qt::AlignTop);
  page.setRowStretch(0, 1);
  page.setColumnStretch(0, 1);
  sheet_.installEventFilter(this);
  connect(sheet_.horizontalHeader(), &QHeaderView::sectionResized, this, &TotalsPanes::Align);
  connect(sheet_.verticalHeader(), &QHeaderView::geometriesChanged, this, &TotalsPanes::Align);
  Align();
}

void TotalsPanes::BuildMemberPane(QGridLayout& page) {
  auto* pane = new QWidget(page.parentWidget());
  member_pane_ = pane;
  auto* column = new QVBoxLayout(pane);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  caption_ = new QLabel(kMemberPaneCaption, pane);
  caption_->setObjectName(QStringLiteral("TotalsCaption"));
  caption_->setWordWrap(true);
  caption_->setTextFormat(Qt::RichText);
  caption_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  caption_->setContentsMargins(6, 0, 4, 4);
  members_ = MakeTable(pane, sheet_);
  members_->setObjectName(QStringLiteral("MemberTotals"));
  members_->setModel(member_model_);
  members_->verticalHeader()->hide();
  members_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  members_->horizontalHeader()->setMinimumSectionSize(kCountColumnPixels);
  members_->horizontalHeader()->setDefaultSectionSize(kCountColumnPixels);
  members_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The grid shows a horizontal bar: so does the pane, to keep the same height.
  members_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  column->addWidget(caption_);
  column->addWidget(members_, 1);
  page.addWidget(pane, 0, 1);
  Follow(sheet_.verticalScrollBar(), members_->verticalScrollBar());
  members_->viewport()->installEventFilter(this);
}

void TotalsPanes::BuildDayPane(QGridLayout& page) {
  days_ = MakeTable(page.parentWidget(), sheet_);
  days_->setObjectName(QStringLiteral("DayTotals"));
  days_->setModel(day_model_);
  days_->horizontalHeader()->hide();
  days_->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  days_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The grid shows a vertical bar: so does the pane, to keep the same width.
  days_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  page.addWidget(days_, 1, 0);
  Follow(sheet_.horizontalScrollBar(), days_->horizontalScrollBar());
  days_->viewport()->installEventFilter(this);
}

void TotalsPanes::Refresh(const RuleMarks& marks) {
  member_model_->Refresh(marks);
  day_model_->Refresh(marks);
  // The verdict under the caption: red while a rule is broken.
  QString verdict = kNoFindingsText;
  QString colour = QStringLiteral("#1a7f37");
  if (!month_.readable) {
    verdict = kNotJudgedText.arg(QString::fromStdString(month_.problem));
    colour = QStringLiteral("#b00000");
  } else if (!month_.findings.empty()) {
    verdict = kFindingsText.arg(month_.findings.size());
    colour = QStringLiteral("#b00000");
  }
  caption_->setText(
      QStringLiteral("<b>%1</b><br><span style=\"color:%2\">%3</span>")
          .arg(kMemberPaneCaption, colour,
               verdict.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
  caption_->setToolTip(verdict);
  FillLegend();
  Align();
}

void TotalsPanes::SetShown(bool shown) {
  for (QWidget* pane : {member_pane_, static_cast<QWidget*>(days_), legend_}) {
    pane->setVisible(shown);
  }
}

void TotalsPanes::FillLegend() {
  delete legend_->layout();
  for (QWidget* old : legend_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete old;
  if (!month_.readable) return;
  auto* grid = new QGridLayout(legend_);
  const int row_pixels = sheet_.verticalHeader()->defaultSectionSize();
  grid->setContentsMargins(6, days_->frameWidth(), 4, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(0);
  for (int t = 1; t <= month_.model.TypeCount; ++t) {
    const auto index = static_cast<std::size_t>(t - 1);
    auto* chip = new QLabel(QString::fromStdString(month_.model.TypeAbbrev(t)), legend_);
    chip->setAlignment(Qt::AlignCenter);
    chip->setFixedSize(kLegendChipPixels, row_pixels - 2);
    const QColor fill = FromColorIndex(month_.labels.duty_fills[index]);
    chip->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #888;")
                            .arg(fill.isValid() ? fill.name() : QStringLiteral("white")));
    auto* name = new QLabel(QString::fromStdString(month_.labels.duty_names[index]), legend_);
    name->setFixedHeight(row_pixels);
    grid->addWidget(chip, t - 1, 0);
    grid->addWidget(name, t - 1, 1);
  }
  grid->setColumnStretch(1, 1);
}

void TotalsPanes::Align() {
  const int row_pixels = sheet_.verticalHeader()->defaultSectionSize();
  // The pane's header stands beside the grid's last frozen row, its caption
  // beside the rows above and the grid's column letters.
  const int header = sheet_.horizontalHeader()->height();
  members_->horizontalHeader()->setFixedHeight(row_pixels);
  caption_->setFixedHeight(std::max(0, header + sheet_.FrozenRows() * row_pixels - row_pixels));
  for (int c = month_.model.TypeCount + kMemberSumColumns; c < member_model_->columnCount(); ++c)
    members_->setColumnWidth(c, kWishColumnPixels);
  int width = 2 * members_->frameWidth();
  for (int c = 0; c < member_model_->columnCount(); ++c) width += members_->columnWidth(c);
  member_pane_->setFixedWidth(std::max(width, 8 * kCountColumnPixels));
  legend_->setFixedWidth(member_pane_->width());

  // The day pane's row titles stand under the grid's row numbers and frozen
  // columns; each of its columns under the grid's column.
  int titles = sheet_.verticalHeader()->width();
  for (int c = 0; c < sheet_.FrozenColumns(); ++c) titles += sheet_.columnWidth(c);
  days_->verticalHeader()->setFixedWidth(titles);
  for (int c = 0; c < day_model_->columnCount(); ++c) {
    days_->setColumnWidth(c, sheet_.columnWidth(sheet_.FrozenColumns() + c));
  }
  days_->setFixedHeight(2 * days_->frameWidth() + day_model_->rowCount() * row_pixels);
  days_->horizontalScrollBar()->setValue(sheet_.horizontalScrollBar()->value());
  members_->verticalScrollBar()->setValue(sheet_.verticalScrollBar()->value());
}

bool TotalsPanes::eventFilter(QObject* watched, QEvent* event) {
  // The wheel over a pane scrolls the grid, which the pane follows.
  if (event->type() == QEvent::Wheel &&
      (watched == members_->viewport() || watched == days_->viewport())) {
    QCoreApplication::sendEvent(sheet_.viewport(), event);
    return true;
  }
  if (watched == &sheet_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
    Align();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tsumiki::gui

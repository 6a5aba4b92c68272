#include "gui/roster_review.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "check/month_export.h"
#include "app/roster_snapshot.h"
#include "conditions/layout.h"
#include "gui/gui_texts.h"
#include "gui/message_box.h"
#include "gui/print_view.h"
#include "gui/roster_judge.h"
#include "gui/rule_marks.h"
#include "gui/sheet_model.h"
#include "gui/sheet_view.h"
#include "gui/sheet_window.h"
#include "gui/totals_panes.h"
#include "gui/totals_texts.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// The host's filter form: caption, then the patterns.
constexpr std::string_view kPdfHostFilter = "PDF ファイル (*.pdf)|*.pdf";
constexpr std::string_view kHtmlHostFilter = "HTML ファイル (*.html)|*.html";
// The suggested file: シフト表_2027年1月.pdf.
const std::string kPdfNamePrefix = "シフト表_";
}  // namespace

RosterReview::RosterReview(SheetWindow& window, workbook::Workbook& book,
                           const ConditionModel& start, Host& host)
    : QObject(&window),
      window_(window),
      book_(book),
      host_(host),
      judge_(new RosterJudge(book, start, this)) {
  try {
    roster_sheet_ = layout::Range(book_, layout::kTimeTable).sheet;
  } catch (const workbook::WorkbookError&) {
    // A workbook without the roster area has nothing to total or mark.
  }
  auto* view = static_cast<SheetView*>(window_.ViewOfSheet(roster_sheet_));
  if (view != nullptr && window_.PageOfSheet(roster_sheet_) != nullptr) {
    panes_ = new TotalsPanes(*view, *window_.PageOfSheet(roster_sheet_), judge_->Month(), this);
  }
  BuildMenu();
  connect(&window_, &SheetWindow::CellsChanged, judge_, &RosterJudge::CellsChanged);
  connect(judge_, &RosterJudge::Judged, this, &RosterReview::ShowJudgement);
  // The windows appear first; the first judgement reads the whole workbook.
  QTimer::singleShot(0, judge_, &RosterJudge::JudgeNow);
}

void RosterReview::BuildMenu() {
  QMenuBar* bar = window_.menuBar();
  // After 上書き保存 in the sheet window's own ファイル menu.
  auto* file = window_.findChild<QMenu*>(QStringLiteral("FileMenu"));
  if (file == nullptr) {
    file = new QMenu(kFileMenuCaption, &window_);
    file->setObjectName(QStringLiteral("FileMenu"));
    bar->insertMenu(bar->actions().isEmpty() ? nullptr : bar->actions().first(), file);
  }
  file->addSeparator();
  print_ = file->addAction(kPrintCaption);
  print_->setObjectName(QStringLiteral("Print"));
  print_->setShortcut(QKeySequence::Print);
  pdf_a4_ = file->addAction(kPdfA4Caption);
  pdf_a4_->setObjectName(QStringLiteral("SavePdf"));
  pdf_a3_ = file->addAction(kPdfA3Caption);
  pdf_a3_->setObjectName(QStringLiteral("SavePdfA3"));
  file->addSeparator();
  calendars_ = file->addAction(kCalendarExportCaption);
  calendars_->setObjectName(QStringLiteral("ExportCalendars"));
  page_ = file->addAction(kPageExportCaption);
  page_->setObjectName(QStringLiteral("ExportPage"));
  if (panes_ != nullptr) {
    auto* view = new QMenu(kViewMenuCaption, &window_);
    view->setObjectName(QStringLiteral("ViewMenu"));
    bar->addMenu(view);
    QAction* totals = view->addAction(kShowTotalsCaption);
    totals->setObjectName(QStringLiteral("ShowTotals"));
    totals->setCheckable(true);
    totals->setChecked(true);
    connect(totals, &QAction::toggled, panes_, &TotalsPanes::SetShown);
    next_finding_ = view->addAction(kNextFindingCaption);
    next_finding_->setObjectName(QStringLiteral("NextFinding"));
    next_finding_->setShortcut(Qt::Key_F8);
    connect(next_finding_, &QAction::triggered, this, &RosterReview::GoToNextFinding);
  }
  connect(print_, &QAction::triggered, this, &RosterReview::Print);
  connect(pdf_a4_, &QAction::triggered, this, [this] { SavePdf(false); });
  connect(pdf_a3_, &QAction::triggered, this, [this] { SavePdf(true); });
  connect(calendars_, &QAction::triggered, this, &RosterReview::ExportCalendars);
  connect(page_, &QAction::triggered, this, &RosterReview::ExportPage);
}

void RosterReview::ShowJudgement() {
  const JudgedMonth& month = judge_->Month();
  RuleMarks marks;
  if (month.readable) {
    int date_row = 0;
    try {
      date_row = layout::Range(book_, layout::kRosterDates).top;
    } catch (const workbook::WorkbookError&) {
      // Without the dates a day's findings show in the day pane only.
    }
    marks = MarkFindings(month.findings, month.roster, date_row);
  }
  notes_ = marks.sheet;
  if (SheetModel* model = window_.ModelOfSheet(roster_sheet_)) model->SetRuleNotes(marks.sheet);
  if (panes_ != nullptr) panes_->Refresh(marks);
}

std::vector<RosterReview::Stop> RosterReview::Stops() const {
  std::vector<Stop> stops;
  QTableView* sheet = window_.ViewOfSheet(roster_sheet_);
  if (sheet == nullptr) return stops;
  for (const auto& [cell, reason] : notes_) {
    stops.push_back(Stop{sheet, cell.first, cell.second, reason});
  }
  if (panes_ == nullptr) return stops;
  for (QTableView* pane : {panes_->MemberTable(), panes_->DayTable()}) {
    const QAbstractItemModel* model = pane->model();
    for (int r = 0; r < model->rowCount(); ++r) {
      for (int c = 0; c < model->columnCount(); ++c) {
        const QString reason = model->index(r, c).data(SheetModel::kRuleNoteRole).toString();
        if (!reason.isEmpty()) stops.push_back(Stop{pane, r, c, reason});
      }
    }
  }
  return stops;
}

void RosterReview::GoToNextFinding() {
  const std::vector<Stop> stops = Stops();
  if (stops.empty()) {
    window_.statusBar()->showMessage(kNoMarkedCellText);
    return;
  }
  window_.Tabs()->setCurrentIndex(roster_sheet_);
  const auto same = [](const Stop& a, const Stop& b) {
    return a.view == b.view && a.row == b.row && a.column == b.column;
  };
  std::size_t next = 0;
  const auto last = std::find_if(stops.begin(), stops.end(),
                                 [&](const Stop& stop) { return same(stop, last_stop_); });
  const QModelIndex last_current =
      last_stop_.view != nullptr ? last_stop_.view->currentIndex() : QModelIndex();
  if (last != stops.end() && last_current.row() == last_stop_.row &&
      last_current.column() == last_stop_.column) {
    next = static_cast<std::size_t>(last - stops.begin()) + 1;
  } else {
    // The planner moved on: after the grid's current cell.
    const QModelIndex current = window_.ViewOfSheet(roster_sheet_)->currentIndex();
    if (current.isValid()) {
      next = static_cast<std::size_t>(
          std::distance(notes_.begin(), notes_.upper_bound({current.row(), current.column()})));
    }
  }
  const Stop& stop = stops[next % stops.size()];
  const QModelIndex target = stop.view->model()->index(stop.row, stop.column);
  stop.view->setCurrentIndex(target);
  stop.view->scrollTo(target);
  stop.view->setFocus();
  last_stop_ = stop;
  QString reason = stop.reason;
  window_.statusBar()->showMessage(reason.replace(QLatin1Char('\n'), QStringLiteral("　")));
}

void RosterReview::Print() {
  judge_->JudgeNow();
  if (!judge_->Month().readable) {
    ShowMessageBox(&window_, kNothingToPrintText, kPrintTitle, MsgButtons::kOk,
                   MsgIcon::kExclamation);
    return;
  }
  ShowPrintPreview(&window_, judge_->Month());
}

void RosterReview::SavePdf(bool a3) {
  judge_->JudgeNow();
  if (!judge_->Month().readable) {
    ShowMessageBox(&window_, kNothingToPrintText, kPdfTitle, MsgButtons::kOk,
                   MsgIcon::kExclamation);
    return;
  }
  // The month in the suggested name, as a planner files the pages.
  const std::optional<RosterSnapshot> month = TakeRosterSnapshot(book_);
  const std::string name = month && !MonthText(*month).empty()
                               ? kPdfNamePrefix + MonthText(*month) + ".pdf"
                               : std::string(kPdfNamePrefix) + ".pdf";
  const std::optional<std::string> path =
      host_.AskSaveFileName(kPdfHostFilter, (book_.Path().parent_path() / name).string());
  if (!path) return;
  const QString file = QString::fromStdString(*path);
  const QString error = SaveRosterPdf(judge_->Month(), file, a3);
  if (!error.isEmpty()) {
    ShowMessageBox(&window_, error, kPdfTitle, MsgButtons::kOk, MsgIcon::kExclamation);
    return;
  }
  window_.statusBar()->showMessage(kPdfSavedText.arg(file));
}

bool RosterReview::JudgedReadable(const QString& title) {
  judge_->JudgeNow();
  if (judge_->Month().readable) return true;
  ShowMessageBox(&window_, kNothingToExportText, title, MsgButtons::kOk, MsgIcon::kExclamation);
  return false;
}

void RosterReview::ExportCalendars() {
  const QString title = QString::fromUtf8(kCalendarExportTitle.data(),
                                          static_cast<qsizetype>(kCalendarExportTitle.size()));
  if (!JudgedReadable(title)) return;
  const QString folder = QFileDialog::getExistingDirectory(
      &window_, kCalendarFolderCaption,
      QString::fromStdString(book_.Path().parent_path().string()));
  if (folder.isEmpty()) return;
  const JudgedMonth& month = judge_->Month();
  const std::filesystem::path dir = folder.toStdString();
  const CalendarExport result = WriteMemberCalendars(
      month.model, month.labels, {WorkplaceOf(book_.Path()), UtcStampNow()}, dir, 0, book_.Path());
  if (!result.error.empty()) {
    ShowMessageBox(&window_, QString::fromStdString(result.error), title, MsgButtons::kOk,
                   MsgIcon::kExclamation);
    return;
  }
  window_.statusBar()->showMessage(QString::fromStdString(
      layout::Format(kCalendarsWritten, {dir.string(), std::to_string(result.written)})));
}

void RosterReview::ExportPage() {
  const QString title =
      QString::fromUtf8(kPageExportTitle.data(), static_cast<qsizetype>(kPageExportTitle.size()));
  if (!JudgedReadable(title)) return;
  const std::optional<std::string> path =
      host_.AskSaveFileName(kHtmlHostFilter, book_.Path().parent_path().string());
  if (!path) return;
  const JudgedMonth& month = judge_->Month();
  const std::string error =
      WriteRosterPage(month.model, month.labels, month.totals, *path, book_.Path());
  if (!error.empty()) {
    ShowMessageBox(&window_, QString::fromStdString(error), title, MsgButtons::kOk,
                   MsgIcon::kExclamation);
    return;
  }
  window_.statusBar()->showMessage(kPageSavedText.arg(QString::fromStdString(*path)));
}

}  // namespace tsumiki::gui

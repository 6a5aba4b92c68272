#include "gui/roster_judge.h"

#include <QTimer>
#include <exception>
#include <tuple>
#include <utility>

#include "check/month_judgement.h"
#include "conditions/layout.h"
#include "conditions/macro_registry.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// A burst of changes (a paste, a clearing, the days of a creation run) is judged
// once, this long after its last change.
constexpr int kSettleMs = 150;
// The area compared once when the copy is opened: the sheet window's probe area.
constexpr int kWholeRows = 400;
constexpr int kWholeColumns = 128;
constexpr std::string_view kCopyFailed = "シフト表を点検できません：";
}  // namespace

RosterJudge::RosterJudge(workbook::Workbook& book, const ConditionModel& start, QObject* parent)
    : QObject(parent),
      book_(book),
      start_(start),
      delay_(new QTimer(this)) {
  delay_->setSingleShot(true);
  delay_->setInterval(kSettleMs);
  connect(delay_, &QTimer::timeout, this, &RosterJudge::JudgeNow);
}

RosterJudge::~RosterJudge() = default;

void RosterJudge::CellsChanged(int sheet, const QRect& area) {
  QRect& pending = pending_[sheet];
  pending = pending.isNull() ? area : pending.united(area);
  delay_->start();
}

bool RosterJudge::OpenCopy() {
  try {
    copy_ = workbook::Workbook::Open(book_.Path());
    layout::AttachLayout(*copy_);
  } catch (const workbook::WorkbookError& error) {
    copy_.reset();
    month_.problem = std::string(kCopyFailed) + error.JapaneseMessage();
    return false;
  }
  // The workbook may hold changes that its file does not.
  for (int sheet = 0; sheet < book_.SheetCount(); ++sheet) {
    pending_[sheet] = QRect(1, 1, kWholeColumns, kWholeRows);
  }
  return true;
}

void RosterJudge::CopyPendingCells() {
  // Compared first and written after: every read after a write would recalculate.
  std::vector<std::tuple<int, int, int, workbook::CellValue>> writes;
  for (const auto& [sheet, area] : pending_) {
    if (sheet >= copy_->SheetCount()) continue;
    for (int row = area.top(); row <= area.bottom(); ++row) {
      for (int column = area.left(); column <= area.right(); ++column) {
        if (book_.IsDerived(sheet, row, column)) continue;
        workbook::CellValue value = book_.Value(sheet, row, column);
        if (!(copy_->Value(sheet, row, column) == value)) {
          writes.emplace_back(sheet, row, column, std::move(value));
        }
      }
    }
  }
  pending_.clear();
  for (const auto& [sheet, row, column, value] : writes) {
    try {
      copy_->SetValue(sheet, row, column, value);
    } catch (const workbook::WorkbookError&) {
      // A cell the copy refuses is one the conditions do not come from.
    }
  }
}

void RosterJudge::JudgeNow() {
  delay_->stop();
  month_.readable = false;
  month_.problem.clear();
  month_.findings.clear();
  month_.totals = {};
  if (copy_ != nullptr || OpenCopy()) {
    try {
      CopyPendingCells();
      ConditionModel& model = month_.model;
      // What the reading writes into the copy is put back from the workbook next time.
      copy_->SetChangeListener([this](int sheet, int row, int column) {
        QRect& pending = pending_[sheet];
        const QRect cell(column, row, 1, 1);
        pending = pending.isNull() ? cell : pending.united(cell);
      });
      MonthJudgement judged = JudgeMonth(*copy_, start_, model);
      copy_->SetChangeListener({});
      if (judged.Readable()) {
        // The fills of the 略称 cells are the planner's workbook's: the copy only
        // follows its values.
        month_.labels = ReadMonthLabels(book_, model);
        month_.roster = layout::Range(book_, layout::kTimeTable);
        month_.totals = std::move(judged.totals);
        month_.findings = std::move(judged.findings);
        month_.readable = true;
      } else {
        month_.problem = judged.refusal->text;
      }
    } catch (const workbook::WorkbookError& error) {
      copy_->SetChangeListener({});
      month_.problem = std::string(kCopyFailed) + error.JapaneseMessage();
    }
  }
  Q_EMIT Judged();
}

}  // namespace tsumiki::gui

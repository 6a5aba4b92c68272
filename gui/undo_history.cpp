#include "gui/undo_history.h"

#include <QTimer>

namespace tsumiki::gui {

namespace {
// Old steps beyond this are forgotten; each holds only the cells it changed.
constexpr std::size_t kMaxSteps = 100;
}  // namespace

UndoHistory::UndoHistory(workbook::Workbook& book, QObject* parent) : QObject(parent), book_(book) {
  Attach();
}

UndoHistory::~UndoHistory() {
  Detach();
}

void UndoHistory::Attach() {
  attached_ = true;
  book_.SetBeforeChangeListener(
      [this](int sheet, int row, int column, const workbook::Workbook::CellState& before) {
        Record(sheet, row, column, before);
      });
}

void UndoHistory::Detach() {
  if (!attached_) return;
  attached_ = false;
  book_.SetBeforeChangeListener({});
  open_.clear();
}

void UndoHistory::Begin() {
  ++depth_;
}

void UndoHistory::End() {
  if (depth_ > 0 && --depth_ == 0) Close();
}

void UndoHistory::Record(int sheet, int row, int column,
                         const workbook::Workbook::CellState& before) {
  // Derived cells follow their inputs; putting the inputs back is enough.
  if (applying_ || book_.IsDerived(sheet, row, column)) return;
  const bool first = open_.empty();
  open_.try_emplace(Key{sheet, row, column}, Cell{before, {}});
  if (first) Q_EMIT Changed();
  if (depth_ == 0 && !implicit_open_) {
    implicit_open_ = true;
    QTimer::singleShot(0, this, [this] {
      implicit_open_ = false;
      if (depth_ == 0) Close();
    });
  }
}

void UndoHistory::Close() {
  if (open_.empty() || !attached_) return;
  Step step;
  step.swap(open_);
  // Changed is emitted in every case: the open step counted as undoable.
  for (auto it = step.begin(); it != step.end();) {
    const auto& [sheet, row, column] = it->first;
    it->second.after = book_.StateOf(sheet, row, column);
    // A cell written and written back is no change.
    it = it->second.after == it->second.before ? step.erase(it) : std::next(it);
  }
  if (step.empty()) {
    Q_EMIT Changed();
    return;
  }
  undo_.push_back(std::move(step));
  if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
  redo_.clear();
  Q_EMIT Changed();
}

void UndoHistory::Apply(const Step& step, bool forward) {
  applying_ = true;
  for (const auto& [key, cell] : step) {
    const auto& [sheet, row, column] = key;
    book_.RestoreState(sheet, row, column, forward ? cell.after : cell.before);
  }
  applying_ = false;
}

bool UndoHistory::Undo() {
  Close();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Apply(step, false);
  redo_.push_back(std::move(step));
  Q_EMIT Changed();
  return true;
}

bool UndoHistory::Redo() {
  Close();
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Apply(step, true);
  undo_.push_back(std::move(step));
  Q_EMIT Changed();
  return true;
}

}  // namespace tsumiki::gui

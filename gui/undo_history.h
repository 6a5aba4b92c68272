#pragma once

#include <QObject>
#include <map>
#include <tuple>
#include <vector>

#include "workbook/workbook.h"

namespace tsumiki::gui {

// Undo and redo of changes to the workbook's input cells, one step per command.
// The store reports each cell before a write; the first report of a cell within a
// step keeps how it stood, and the step's end keeps how it stands after. Changes
// made outside any Begin/End pair form a step that ends when control returns to
// the event loop (a cell edit, a paste).
class UndoHistory : public QObject {
  Q_OBJECT
 public:
  explicit UndoHistory(workbook::Workbook& book, QObject* parent = nullptr);
  ~UndoHistory() override;

  // Steps nest; the outermost End closes the step.
  void Begin();
  void End();
  // Stops and restarts recording (the store must outlive the recording).
  void Detach();
  void Attach();

  bool CanUndo() const { return !undo_.empty() || !open_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  bool Undo();
  bool Redo();

 Q_SIGNALS:
  // The undo or redo stack changed.
  void Changed();

 private:
  using Key = std::tuple<int, int, int>;  // sheet, row, column
  struct Cell {
    workbook::Workbook::CellState before;
    workbook::Workbook::CellState after;
  };
  using Step = std::map<Key, Cell>;

  void Record(int sheet, int row, int column, const workbook::Workbook::CellState& before);
  void Close();
  // Writes one side of a step back into the store.
  void Apply(const Step& step, bool forward);

  workbook::Workbook& book_;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  Step open_;
  int depth_ = 0;
  bool implicit_open_ = false;
  bool applying_ = false;
  bool attached_ = false;
};

// Begin in the constructor, End in the destructor.
class UndoStep {
 public:
  explicit UndoStep(UndoHistory* history) : history_(history) {
    if (history_ != nullptr) history_->Begin();
  }
  ~UndoStep() {
    if (history_ != nullptr) history_->End();
  }
  UndoStep(const UndoStep&) = delete;
  UndoStep& operator=(const UndoStep&) = delete;

 private:
  UndoHistory* history_;
};

}  // namespace tsumiki::gui

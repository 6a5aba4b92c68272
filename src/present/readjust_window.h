#pragma once

#include <optional>

#include "conditions/engine_context.h"
#include "present/readjustment.h"

namespace tsumiki {

// The window logic of frm再調整: following the selection on the roster sheet and
// asking the planner at each step of the readjustment it wraps.
class ReadjustWindow {
 public:
  // Interval of Timer1, which follows the selection on the sheet.
  static constexpr int kTimerIntervalMs = 100;

  explicit ReadjustWindow(const EngineContext& context) : ctx_(context), readjustment_(context) {}
  ~ReadjustWindow();
  ReadjustWindow(const ReadjustWindow&) = delete;
  ReadjustWindow& operator=(const ReadjustWindow&) = delete;

  // Opens the window: the readjustment prepared and the selection timer started.
  // False when the conditions were refused; the window then stays closed.
  bool Load();

  // Timer1: reads 行番号 and 列番号 and refreshes the five boxes when the
  // selection moved to another non-empty cell; empties them on an empty cell.
  void OnTimer();
  // What a tick does once it has read the selected row and column.
  void ShowCell(int row, int column);
  // cmd再調整: asks, then runs Readjust.
  ReadjustOutcome OnReadjustClicked();
  // The search, the proposal and (on OK) the exchanges themselves.
  ReadjustOutcome Readjust();
  // cmd戻す: replays the last applied list backwards and restores the colours.
  void OnUndoClicked() { readjustment_.Undo(); }
  // cmd閉じる.
  void OnCloseClicked();

  bool IsOpen() const { return open_; }
  bool UndoEnabled() const { return readjustment_.CanUndo(); }
  const ReadjustSelection& Selection() const { return selection_; }
  const std::vector<Exchange>& Exchanges() const { return readjustment_.Exchanges(); }
  Readjustment& Operation() { return readjustment_; }

 private:
  EngineContext ctx_;
  Readjustment readjustment_;
  bool open_ = false;
  std::optional<Host::TimerId> timer_;
  ReadjustSelection selection_;
  int last_row_ = -1;
  int last_column_ = -1;
};

}  // namespace tsumiki

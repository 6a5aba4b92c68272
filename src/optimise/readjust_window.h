#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conditions/engine_context.h"
#include "optimise/readjust_search.h"
#include "optimise/readjust_text.h"

namespace tsumiki {

// The selected roster cell as the window shows it.
struct ReadjustSelection {
  int row = 0;                // 行番号: the member
  int column = 0;             // 列番号: the day
  std::string target;         // txtTarget: the cell's text (the duty's short name)
  std::string member_number;  // txtID
  std::string member_name;    // txt氏名
  std::string duty_name;      // txt勤務名
  int duty_index = 0;
  std::string date_text;  // txtTargetDay, "yyyy/m/d(aaa)"
  bool operator==(const ReadjustSelection&) const = default;
};

enum class ReadjustOutcome {
  kEmptyCell,     // the selected cell is a rest day: nothing to do
  kNotConfirmed,  // the planner cancelled the first question
  kFailed,        // no exchange list was found ("調整失敗")
  kCancelled,     // the proposal was declined; only the colours were restored
  kApplied,       // the exchanges are in the roster and on the sheet
};

// The window logic of frm再調整: following the selection on the roster sheet,
// searching, proposing, applying and undoing a readjustment.
class ReadjustWindow {
 public:
  // Interval of Timer1, which follows the selection on the sheet.
  static constexpr int kTimerIntervalMs = 100;

  explicit ReadjustWindow(const EngineContext& context) : ctx_(context) {}
  ~ReadjustWindow();
  ReadjustWindow(const ReadjustWindow&) = delete;
  ReadjustWindow& operator=(const ReadjustWindow&) = delete;

  // Opens the window: base date, the model and roster read in if not current,
  // and the selection timer started. False when the conditions were refused (the
  // loader has shown its message); the window then stays closed.
  bool Load();

  // Timer1: reads 行番号 and 列番号 and refreshes the five boxes when the
  // selection moved to another non-empty cell; empties them on an empty cell.
  void OnTimer();
  // What a tick does once it has read the selected row and column; the command
  // line, which has no sheet window, names the cell itself.
  void ShowCell(int row, int column);
  // cmd再調整: asks, then runs Readjust.
  ReadjustOutcome OnReadjustClicked();
  // The search, proposal and (on OK) the exchanges themselves.
  ReadjustOutcome Readjust();
  // cmd戻す: replays the last applied list backwards and restores the colours.
  void OnUndoClicked();
  // cmd閉じる.
  void OnCloseClicked();

  bool IsOpen() const { return open_; }
  bool UndoEnabled() const { return undo_enabled_; }
  const ReadjustSelection& Selection() const { return selection_; }
  const std::vector<Exchange>& Exchanges() const { return exchanges_; }

  // Colours of the Time_Table cell of (member, day). kKeepInterior leaves the fill.
  void MarkCell(int member, int day, int interior, int border);
  int CellInterior(int member, int day) const;

 private:
  // Each cell's fill, and its whole format so that its border comes back as the
  // workbook had it.
  struct SavedColours {
    std::uint32_t style_a = 0;
    std::uint32_t style_b = 0;
  };
  std::uint32_t CellStyle(int member, int day) const;
  void RestoreLook(int member, int day, std::uint32_t style);

  void RefreshSelection(int row, int column, const std::string& text);
  std::string CellText(int row, int column) const;
  // Whether the model's roster is what the sheet shows; the planner may have typed
  // into the sheet since the model was read.
  bool ModelMatchesSheet() const;
  bool LoadModel();
  void RestoreColours();

  EngineContext ctx_;
  bool open_ = false;
  std::optional<Host::TimerId> timer_;
  std::optional<Date> base_date_;
  ReadjustSelection selection_;
  int last_row_ = -1;
  int last_column_ = -1;
  std::vector<Exchange> exchanges_;
  std::vector<SavedColours> saved_;
  bool undo_enabled_ = false;
};

}  // namespace tsumiki

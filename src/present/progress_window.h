#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "present/bar_window.h"
#include "ui/host.h"

namespace tsumiki {

// Texts of the progress window and of the time-limit message.
inline constexpr std::string_view kTimeLimitTitle = "制限時間オーバー";
inline constexpr std::string_view kRemainingLabel = "残分";

// Design size of the progress window, in twips.
inline constexpr int kProgressWidthTwips = 4800;
inline constexpr int kProgressHeightTwips = 1100;
// Interval of the time-limit timer.
inline constexpr int kProgressTickMs = 200;

// "m:ss" of a remaining time: whole minutes, then the seconds as two digits.
// A negative time shows "0:00".
std::string RemainingText(std::int64_t remaining_ms);

// The message shown when the time limit has passed. It names the day and duty type
// of the last failed member search; when no search has failed yet (failed.type 0)
// it only says that the limit passed.
std::string TimeLimitMessage(float time_limit_minutes, const DaySlot& failed,
                             const IndexArray<std::string>& type_abbrev);

// The logic of the progress window (frm処理中): its place, the progress bar, the
// 200 ms time-limit tick and the abort button. The host only paints the view.
class ProgressWindow final : public BarWindow {
 public:
  ProgressWindow(Host& host, RunState& run, const ConditionModel& model,
                 const int& status_position);
  ~ProgressWindow();

  // Loads and shows the window: placement and the timer. Does nothing when it is
  // already loaded.
  void Load();
  // Stops the timer and hides the window.
  void Unload();

  // The creation pass being run, for hosts that show it (the terminal's progress line).
  void SetPass(int pass_number);

  // Whether the time-limit message has been shown since the last ResetTimeLimit
  // (the start of a run).
  bool TimeLimitPassed() const { return time_limit_passed_; }
  void ResetTimeLimit() { time_limit_passed_ = false; }
  // The time-limit message, once per run, when the deadline has passed (found by
  // the tick or by any search that let events run).
  void ReportDeadline();

  // cmd中止.
  void OnAbortClicked();
  // Timer1: the time-limit tick.
  void OnTimerTick();

  const ProgressView& View() const { return view_; }

 private:
  void Draw() override { host().ShowProgressWindow(view_); }
  void Erase() override { host().HideProgressWindow(); }
  void StopTimer();
  std::int64_t RemainingMs() const;

  RunState& run_;
  const ConditionModel& model_;
  ProgressView view_;
  bool time_limit_passed_ = false;
  std::optional<Host::TimerId> timer_;
};

}  // namespace tsumiki

#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/host.h"

namespace tsumiki::testing {

// A Host for tests: no screen and no real time.
//
// - Message boxes take their answers from a queue. When the queue is empty the
//   default answer is used: by default the box's first button (OK or Yes); set
//   one with SetDefaultAnswer (a box that does not offer it gets its first
//   button). A queued answer the box does not offer throws std::logic_error, so a
//   wrong script fails loudly.
// - Every message box, status view, hide, form and address is recorded.
// - The clock is virtual: it starts at 0 ms and only Sleep and Advance move it.
//   SecondsSinceMidnight follows it from a configurable time of day.
// - DoEvents counts its calls, runs the scheduled actions that are due ("at the
//   Nth DoEvents", "at virtual time T"), then the due timers.
class ScriptedHost : public Host {
 public:
  struct Message {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::kOk;
    MsgIcon icon = MsgIcon::kNone;
    MsgResult answer = MsgResult::kOk;
  };

  // `start_seconds` is the time of day at virtual time 0 (default 09:00:00).
  explicit ScriptedHost(double start_seconds = 9 * 3600.0);

  // --- Message boxes -----------------------------------------------------------
  void QueueAnswer(MsgResult answer) { answers_.push_back(answer); }
  // nullopt: the box's first button.
  void SetDefaultAnswer(std::optional<MsgResult> answer) { default_answer_ = answer; }
  std::size_t PendingAnswers() const { return answers_.size(); }
  const std::vector<Message>& Messages() const { return messages_; }
  // The texts of every message box, in order.
  std::vector<std::string> MessageTexts() const;

  // The same defaults as Host's, so tests may ask the scripted host directly.
  MsgResult MessageBox(std::string_view text, std::string_view title,
                       MsgButtons buttons = MsgButtons::kOk,
                       MsgIcon icon = MsgIcon::kNone) override;

  // --- Status window -----------------------------------------------------------
  void ShowStatusWindow(const StatusView& view) override;
  void HideStatusWindow() override;
  const std::vector<StatusView>& StatusViews() const { return status_views_; }
  // The texts of every status view shown, in order.
  std::vector<std::string> StatusTexts() const;
  bool StatusVisible() const { return status_visible_; }
  int StatusHideCount() const { return status_hides_; }
  ScreenMetrics Screen() const override { return screen_; }
  void SetScreen(const ScreenMetrics& screen) { screen_ = screen; }

  // --- Progress and optimisation windows ----------------------------------------
  void ShowProgressWindow(const ProgressView& view) override;
  void HideProgressWindow() override { progress_visible_ = false; }
  const std::vector<ProgressView>& ProgressViews() const { return progress_views_; }
  bool ProgressVisible() const { return progress_visible_; }
  void ShowOptimiseWindow(const OptimiseView& view) override;
  void HideOptimiseWindow() override { optimise_visible_ = false; }
  const std::vector<OptimiseView>& OptimiseViews() const { return optimise_views_; }
  bool OptimiseVisible() const { return optimise_visible_; }

  // --- Window actions --------------------------------------------------------------
  struct WindowAction {
    // "topmost", "not-topmost", "move", "caption", "activate", "end-editing"
    std::string what;
    WindowId window = WindowId::kMain;
    std::string caption;  // for "caption"
    int left_px = 0;      // for "move"
    int top_px = 0;
  };
  void SetTopmost(WindowId window, bool topmost) override;
  void MoveWindow(WindowId window, int left_px, int top_px) override;
  void SetWindowCaption(WindowId window, std::string_view caption) override;
  void ActivateWindow(WindowId window) override;
  void EndSheetEditing() override;
  const std::vector<WindowAction>& WindowActions() const { return window_actions_; }
  PixelSize WindowSize(WindowId window) const override;
  void SetWindowSize(WindowId window, PixelSize size);
  void SetModeTick(int mode) override { mode_ticks_.push_back(mode); }
  const std::vector<int>& ModeTicks() const { return mode_ticks_; }

  // --- File dialogs ----------------------------------------------------------------
  // Answers of the save and open dialogs in order; nullopt is a cancel. An empty
  // queue cancels.
  void QueueFileName(std::optional<std::string> path) { file_names_.push_back(std::move(path)); }
  std::optional<std::string> AskSaveFileName(std::string_view filter,
                                             std::string_view folder) override;
  std::optional<std::string> AskOpenFileName(std::string_view filter,
                                             std::string_view folder) override;
  // "save" or "open" for each dialog shown, in order.
  const std::vector<std::string>& FileDialogs() const { return file_dialogs_; }

  // --- Windows and addresses ---------------------------------------------------
  // "show:<name>" and "close:<name>" in call order.
  const std::vector<std::string>& FormEvents() const { return form_events_; }
  void ShowForm(std::string_view form_name) override;
  void CloseForm(std::string_view form_name) override;
  const std::vector<std::string>& OpenedUrls() const { return urls_; }
  void ShowExplanation(std::string_view /*title*/, std::string_view text) override {
    explanations_.emplace_back(text);
  }
  const std::vector<std::string>& Explanations() const { return explanations_; }
  bool OpenUrl(std::string_view address) override;
  // Whether OpenUrl reports a started browser (true unless a test says otherwise).
  void SetBrowserAvailable(bool available) { browser_available_ = available; }

  // --- Clock ---------------------------------------------------------------------
  void Sleep(int milliseconds) override;
  std::int64_t MonotonicMs() const override { return now_ms_; }
  double SecondsSinceMidnight() const override;
  // Moves the virtual clock without counting a sleep.
  void Advance(std::int64_t milliseconds);
  int SleepCount() const { return sleep_count_; }
  std::int64_t SleptMs() const { return slept_ms_; }

  // --- Events --------------------------------------------------------------------
  void DoEvents() override;
  int DoEventsCount() const { return do_events_count_; }
  // Runs `action` inside the n-th DoEvents call (1-based, counted from construction).
  void AtDoEvents(int n, std::function<void()> action);
  // Runs `action` inside the first DoEvents at or after virtual time `ms`.
  void AtTime(std::int64_t ms, std::function<void()> action);
  // Presses the abort button (or Ctrl-C): calls the core's abort handler now.
  void PressAbort() { RequestAbort(); }

 private:
  struct Scheduled {
    bool by_time = false;
    std::int64_t when = 0;  // DoEvents ordinal or virtual ms
    std::function<void()> action;
  };

  std::deque<MsgResult> answers_;
  std::optional<MsgResult> default_answer_;
  std::vector<Message> messages_;
  std::vector<StatusView> status_views_;
  bool status_visible_ = false;
  int status_hides_ = 0;
  ScreenMetrics screen_;
  std::vector<ProgressView> progress_views_;
  bool progress_visible_ = false;
  std::vector<OptimiseView> optimise_views_;
  bool optimise_visible_ = false;
  std::vector<WindowAction> window_actions_;
  std::vector<std::pair<WindowId, PixelSize>> window_sizes_;
  std::vector<int> mode_ticks_;
  std::deque<std::optional<std::string>> file_names_;
  std::vector<std::string> file_dialogs_;
  std::vector<std::string> form_events_;
  std::vector<std::string> urls_;
  bool browser_available_ = true;
  std::vector<std::string> explanations_;
  double start_seconds_;
  std::int64_t now_ms_ = 0;
  int sleep_count_ = 0;
  std::int64_t slept_ms_ = 0;
  int do_events_count_ = 0;
  std::vector<Scheduled> scheduled_;
};

}  // namespace tsumiki::testing

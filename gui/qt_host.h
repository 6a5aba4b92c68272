#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "gui/explanation_window.h"
#include "ui/host.h"

class QTimer;
class QWidget;

namespace tsumiki::gui {

class OptimiseWindow;
class ProgressWindow;
class SplashWindow;

// The Host of the desktop program: message boxes, the status window, the event
// loop, the clock and timers, the browser.
//
// Timers follow the core's contract: they run from DoEvents while the core is
// busy and from a pump in Qt's own loop while it is idle. With a virtual clock
// (tests) Sleep advances the clock instead of waiting, so pauses cost nothing.
class QtHost : public QObject, public Host {
  Q_OBJECT
 public:
  explicit QtHost(bool virtual_clock = false, QObject* parent = nullptr);
  ~QtHost() override;

  MsgResult MessageBox(std::string_view text, std::string_view title,
                       MsgButtons buttons = MsgButtons::kOk,
                       MsgIcon icon = MsgIcon::kNone) override;
  void ShowStatusWindow(const StatusView& view) override;
  void HideStatusWindow() override;
  ScreenMetrics Screen() const override;

  void DoEvents() override;
  void Sleep(int milliseconds) override;
  // A click or a key ends the pause at once. While the month is ready (see
  // SetPauseNeedless) nothing is waited for: the banner stays on screen for the
  // pause's time, or until a click or a key, while the program goes on.
  void Pause(int milliseconds) override;
  std::int64_t MonotonicMs() const override;
  double SecondsSinceMidnight() const override;
  TimerId StartTimer(int interval_ms, std::function<void()> on_tick) override;
  bool OpenUrl(std::string_view address) override;
  void ShowExplanation(std::string_view title, std::string_view text) override;

  void SetTopmost(WindowId window, bool topmost) override;
  PixelSize WindowSize(WindowId window) const override;
  void MoveWindow(WindowId window, int left_px, int top_px) override;
  void SetWindowCaption(WindowId window, std::string_view caption) override;
  void SetModeTick(int mode) override;
  void ShowProgressWindow(const ProgressView& view) override;
  void HideProgressWindow() override;
  void ShowOptimiseWindow(const OptimiseView& view) override;
  void HideOptimiseWindow() override;
  void ActivateWindow(WindowId window) override;
  void EndSheetEditing() override;
  std::optional<std::string> AskSaveFileName(std::string_view filter,
                                             std::string_view folder) override;
  std::optional<std::string> AskOpenFileName(std::string_view filter,
                                             std::string_view folder) override;
  void ShowForm(std::string_view form_name) override;
  void CloseForm(std::string_view form_name) override;

  // The Qt window behind each window the core names; unset ones are ignored.
  void RegisterWindow(WindowId window, QWidget* widget);
  QWidget* Window(WindowId window) const;
  // What ShowForm / CloseForm do for a window the application opens itself
  // (frm開始条件設定, frm再調整, frm保存読込).
  void RegisterForm(const std::string& form_name, std::function<void()> show,
                    std::function<void()> close);
  ProgressWindow* Progress();
  OptimiseWindow* Optimise();
  // Tests replace the platform's file dialogs with a scripted answer.
  using FileDialogHook =
      std::function<std::optional<std::string>(bool save, std::string_view filter)>;
  void SetFileDialogHook(FileDialogHook hook) { file_dialog_hook_ = std::move(hook); }

  // The screen rectangle of the cells a box speaks about (the cells the
  // readjustment marks), invalid when none: boxes and the program's small windows
  // keep clear of it while a box is up.
  void SetKeepClear(std::function<QRect()> keep_clear) { keep_clear_ = std::move(keep_clear); }

  // True while pauses need not hold the program (the month is ready).
  void SetPauseNeedless(std::function<bool()> needless) { pause_needless_ = std::move(needless); }

  // Message boxes are placed over this window (the main panel) when set.
  void SetDialogParent(QWidget* parent) { dialog_parent_ = parent; }
  // The file last chosen in a file dialog (native separators).
  const QString& LastFile() const { return last_file_; }
  SplashWindow* Splash();
  // The window the last ShowExplanation opened, while it is open.
  ExplanationWindow* LastExplanation() const { return last_explanation_; }

  // Tests: moves the virtual clock on and lets due timers run.
  void AdvanceClock(std::int64_t milliseconds);
  // Lets the host's abort handler run (the abort buttons of the progress windows).
  void Abort() { RequestAbort(); }

 private:
  void PumpTimers();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The status window keeps its banner until this real-time moment (ms of clock_).
  void HoldBanner(int milliseconds);
  // The window dialogs and boxes belong to: the active window of the program
  // (the window whose button asked), else the panel.
  QWidget* PlacementParent() const;

  bool virtual_clock_;
  std::int64_t virtual_now_ms_ = 0;
  QElapsedTimer clock_;
  QTimer* pump_ = nullptr;
  bool pumping_ = false;
  QPointer<QWidget> dialog_parent_;
  std::unique_ptr<SplashWindow> splash_;
  std::unique_ptr<ProgressWindow> progress_;
  std::unique_ptr<OptimiseWindow> optimise_;
  std::map<WindowId, QPointer<QWidget>> windows_;
  struct Form {
    std::function<void()> show;
    std::function<void()> close;
  };
  std::map<std::string, Form, std::less<>> forms_;
  FileDialogHook file_dialog_hook_;
  std::function<QRect()> keep_clear_;
  std::function<bool()> pause_needless_;
  bool watching_input_ = false;  // the application's event filter is installed
  bool input_seen_ = false;      // a click or a key since the pause or hold began
  std::int64_t banner_until_ms_ = 0;
  std::int64_t last_events_ms_ = -1'000'000;  // clock_ time of the last pass of the loop
  QTimer* banner_timer_ = nullptr;
  QString last_file_;
  QPointer<ExplanationWindow> last_explanation_;
};

}  // namespace tsumiki::gui

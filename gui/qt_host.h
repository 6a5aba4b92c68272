#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

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

  // Message boxes are placed over this window (the main panel) when set.
  void SetDialogParent(QWidget* parent) { dialog_parent_ = parent; }
  // The file last chosen in a file dialog (native separators).
  const QString& LastFile() const { return last_file_; }
  SplashWindow* Splash();

  // Tests: moves the virtual clock on and lets due timers run.
  void AdvanceClock(std::int64_t milliseconds);
  // Lets the host's abort handler run (the abort buttons of the progress windows).
  void Abort() { RequestAbort(); }

 private:
  void PumpTimers();
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
  QString last_file_;
};

}  // namespace tsumiki::gui

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsumiki {

// Buttons and answers of a modal message box, as the planner sees them.
enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgIcon { kNone, kInformation, kQuestion, kExclamation, kCritical };
enum class MsgResult { kOk, kCancel, kYes, kNo };

// A colour as the platform stores it: red in the low byte, blue in the high byte.
using Bgr = std::uint32_t;

// Everything the status window (frmSplash) needs to draw itself. The core computes
// these values; a host only paints them.
struct StatusView {
  std::string text;
  Bgr text_colour = 0;
  Bgr back_colour = 0;
  int width_twips = 0;
  int height_twips = 0;  // the window's designed height; hosts may use their own
  bool topmost = false;
  // Placement in twips; keep_position leaves the window where it was.
  bool keep_position = true;
  int left_twips = 0;
  int top_twips = 0;
};

// Windows whose stacking and placement the core decides; a host maps them to its
// own windows (frm勤務管理, frm処理中 …).
enum class WindowId {
  kMain,
  kStatus,
  kProgress,
  kOptimise,
  kStartConfirm,
  kStartConditions,  // frm開始条件設定
  kReadjust,         // frm再調整
  kSaveRestore,      // frm保存読込
  kSheet,            // the sheet window (the spreadsheet's window)
};

// A window's size in whole pixels.
struct PixelSize {
  int width = 0;
  int height = 0;
};

// What the progress and optimisation windows share: their size and place, and a
// progress bar. The core computes these values.
struct BarWindowView {
  int width_twips = 0;
  int height_twips = 0;
  // Placement in twips; keep_position leaves the window where it was.
  bool keep_position = true;
  int left_twips = 0;
  int top_twips = 0;
  int bar_min = 0;
  int bar_max = 0;
  int bar_value = 0;
};

// Everything the progress window (frm処理中) shows.
struct ProgressView : BarWindowView {
  std::string remaining_text;  // txt残分, "m:ss"
  int pass_number = 0;         // the creation pass being run (the terminal shows it)
};

// Everything the optimisation window (frm最適化) shows; its abort button reaches
// the core through the abort handler.
struct OptimiseView : BarWindowView {
  bool bar_visible = false;
  std::string score_text;     // 標準偏差: the score, "0.000" first, then "0.00"
  std::string message;        // lblMsg
  std::string score_caption;  // lblHensati
  std::string abort_caption;  // cmd中止
};

// The screen, in twips (1440 per inch), and the size of one pixel in twips.
struct ScreenMetrics {
  int width_twips = 1920 * 15;
  int height_twips = 1080 * 15;
  int twips_per_pixel_x = 15;
  int twips_per_pixel_y = 15;
};

// What the core asks of the world around it: message boxes, the status window,
// waiting, the clock, timers and the event loop. Three implementations exist:
// the Qt desktop program, the terminal, and a scripted host for tests.
//
// Contract for every implementation:
//  - DoEvents() is the only place where clicks, timer ticks and Ctrl-C reach the core.
//    Timers started with StartTimer fire only from inside DoEvents (or from the
//    host's own event loop when the core is idle).
//  - MonotonicMs() never goes backwards; it is the only clock used for time limits
//    and elapsed times.
//  - Methods that concern optional windows have do-nothing defaults, so a host only
//    implements what it shows.
class Host {
 public:
  using TimerId = int;

  virtual ~Host() = default;

  // A modal message box. Hosts that cannot ask (batch runs) return the safe answer.
  virtual MsgResult MessageBox(std::string_view text, std::string_view title,
                               MsgButtons buttons = MsgButtons::kOk,
                               MsgIcon icon = MsgIcon::kNone) = 0;

  // The status window. An empty text hides it.
  virtual void ShowStatusWindow(const StatusView& view) = 0;
  virtual void HideStatusWindow() = 0;
  virtual ScreenMetrics Screen() const { return {}; }

  // Lets pending events run once: clicks, timers, Ctrl-C.
  virtual void DoEvents();
  // Sleeps for the given milliseconds (a scripted host advances its virtual clock).
  virtual void Sleep(int milliseconds) = 0;
  // A pause that only waits (a banner's time on screen): sleeps in steps of 10 ms
  // and lets events run after each, until the time is up; always at least one
  // round. A host may end it sooner (the desktop on a click or a key), but it
  // always lets events run at least once.
  virtual void Pause(int milliseconds);
  // Milliseconds of a clock that never goes backwards.
  virtual std::int64_t MonotonicMs() const = 0;
  // Seconds since local midnight, used only to stir the random generator.
  virtual double SecondsSinceMidnight() const = 0;

  // Repeating timers. The callback runs from DoEvents when its interval has passed.
  virtual TimerId StartTimer(int interval_ms, std::function<void()> on_tick);
  virtual void StopTimer(TimerId id);

  // The abort request of the command line (Ctrl-C) and of the abort buttons reaches
  // the core through this handler, called from DoEvents.
  void SetAbortHandler(std::function<void()> handler) { abort_handler_ = std::move(handler); }

  // Window actions. Defaults do nothing, for hosts without windows.
  virtual void SetTopmost(WindowId /*window*/, bool /*topmost*/) {}
  virtual PixelSize WindowSize(WindowId /*window*/) const { return {}; }
  virtual void MoveWindow(WindowId /*window*/, int /*left_px*/, int /*top_px*/) {}
  virtual void SetWindowCaption(WindowId /*window*/, std::string_view /*caption*/) {}
  // Ticks item `mode` (0..2) of the creation-mode menu and unticks the others.
  virtual void SetModeTick(int /*mode*/) {}
  // The progress window: shown (or repainted) with the view, hidden when unloaded.
  virtual void ShowProgressWindow(const ProgressView& /*view*/) {}
  virtual void HideProgressWindow() {}
  // The optimisation window: shown (or repainted) with the view, hidden when closed.
  virtual void ShowOptimiseWindow(const OptimiseView& /*view*/) {}
  virtual void HideOptimiseWindow() {}

  // A text the planner may keep open beside the sheet while changing the
  // conditions (the explanation of a day no pass could fill): a window that does
  // not block, or lines after the last message.
  virtual void ShowExplanation(std::string_view /*title*/, std::string_view /*text*/) {}

  // Something the planner should know about a load or run that goes on anyway
  // (a reservation that overrides a day-off request). By default a message box
  // titled "警告"; the terminal writes it as a "警告:" line.
  virtual void ShowWarning(std::string_view text);

  // Opens a help page or other address in the planner's browser; false if it could not.
  virtual bool OpenUrl(std::string_view /*address*/) { return false; }

  // Shows a window and brings it to the foreground (the sheet window when the
  // planner is sent to a sheet).
  virtual void ActivateWindow(WindowId /*window*/) {}
  // Ends cell editing in the sheet window, as an Escape key press there would, so
  // that the program's writes are not held up by an open edit.
  virtual void EndSheetEditing() {}

  // The common file dialogs of the save and restore window. `filter` is in the
  // platform's form ("CSV ファイル (*.csv)|*.csv|*.*"), `folder` the folder shown
  // first. The chosen path, or nullopt when the planner cancelled (hosts that cannot
  // ask always cancel).
  virtual std::optional<std::string> AskSaveFileName(std::string_view /*filter*/,
                                                     std::string_view /*folder*/) {
    return std::nullopt;
  }
  virtual std::optional<std::string> AskOpenFileName(std::string_view /*filter*/,
                                                     std::string_view /*folder*/) {
    return std::nullopt;
  }

  // Loads and shows, or unloads, a window by its name ("frm処理中"). Hosts without
  // windows ignore them. Callers go through ShowForm/CloseForm of ui/forms.h, which
  // ignore any failure as the window helpers always have.
  virtual void ShowForm(std::string_view /*form_name*/) {}
  virtual void CloseForm(std::string_view /*form_name*/) {}

 protected:
  // Runs every timer whose interval has passed by MonotonicMs(). Hosts without an
  // event loop of their own call it from DoEvents.
  void RunDueTimers();
  void RequestAbort() {
    if (abort_handler_) abort_handler_();
  }
  bool HasAbortHandler() const { return static_cast<bool>(abort_handler_); }

 private:
  struct Timer {
    TimerId id;
    int interval_ms;
    std::int64_t next_due_ms;
    std::function<void()> on_tick;
  };
  std::vector<Timer> timers_;
  TimerId next_timer_id_ = 1;
  std::function<void()> abort_handler_;
};

}  // namespace tsumiki

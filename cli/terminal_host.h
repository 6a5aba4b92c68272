#pragma once

#include <chrono>
#include <iosfwd>
#include <string>
#include <string_view>

#include "cli/progress_line.h"
#include "cli/status_repeats.h"
#include "ui/host.h"

namespace tsumiki::cli {

// What the terminal around the program can do.
struct TerminalSettings {
  // --batch: ask nothing, skip pauses.
  bool batch = false;
  // Questions may be asked: the input and the error output are terminals.
  bool can_ask = false;
  // The error output is a terminal: a live progress line may be drawn there.
  bool live_line = false;
  // Width of the terminal in columns, for cutting the progress line.
  int columns = 80;
};

// Looks at the process's standard input and error output.
TerminalSettings DetectTerminal(bool batch);

// The safe answer of a question that nobody can answer: keep the result, do not
// overwrite, do not save (No, or Cancel where there is no No; OK for a notice).
MsgResult SafeAnswer(MsgButtons buttons);

// The Host of the command line. Message boxes become "【title】 text" lines on the
// error output; questions are asked on the terminal, or take their safe answer in
// a batch run, without a terminal, or at the end of the input; status texts become
// lines; Ctrl-C becomes an abort request at the next DoEvents.
class TerminalHost : public Host, public ProgressLine {
 public:
  TerminalHost(std::istream& in, std::ostream& err, TerminalSettings settings);
  ~TerminalHost() override;
  TerminalHost(const TerminalHost&) = delete;
  TerminalHost& operator=(const TerminalHost&) = delete;

  MsgResult MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                       MsgIcon icon) override;
  void ShowStatusWindow(const StatusView& view) override;
  void HideStatusWindow() override {}

  // Takes a pending Ctrl-C to the core's abort handler (again at every later call),
  // then runs due timers.
  void DoEvents() override;
  // Real sleep, skipped in a batch run.
  void Sleep(int milliseconds) override;
  std::int64_t MonotonicMs() const override;
  double SecondsSinceMidnight() const override;

  void ShowProgressWindow(const ProgressView& view) override;
  void HideProgressWindow() override { ClearProgressLine(); }

  // Opens the address with the desktop's opener when there is a desktop.
  bool OpenUrl(std::string_view address) override;
  void ShowExplanation(std::string_view title, std::string_view text) override;
  void ShowWarning(std::string_view text) override;

  // A question that a command answered from its flags without asking (--retry,
  // --yes, --save): its line, then the answer taken.
  void ShowAnswered(std::string_view text, std::string_view title, MsgResult answer);

  // ProgressLine: drawn only when the error output is a terminal.
  void ShowProgressLine(std::string_view text) override;
  void ClearProgressLine() override;

  // Ctrl-C and SIGTERM handling for the life of this host: the first press is
  // noted and becomes an abort request at the next DoEvents and every one after
  // it; a second press before that ends the program as the signal normally does.
  // Nothing to do after CatchInterruptsForProcess.
  void InstallInterruptHandler();
  // The same handling for the whole life of the program, from the first line of
  // main: a press while the command line is still being read is not lost.
  static void CatchInterruptsForProcess();
  // Blocks Ctrl-C and SIGTERM for the rest of the process: once the command's end
  // has been settled, a later press is neither acknowledged nor able to change it.
  static void HoldInterrupts();
  // Takes a waiting press without running the core (no abort handler, no timers);
  // true once any press reached this host.
  bool TakeInterrupt();
  // What the handler does at a press (also for tests).
  static void NoteInterrupt();
  static bool InterruptPending();

 private:
  // Writes whole lines to the error output, keeping the progress line below them.
  void WriteLines(std::string_view text);
  MsgResult Ask(MsgButtons buttons);
  void WriteAnswer(MsgResult answer);

  std::istream& in_;
  std::ostream& err_;
  TerminalSettings settings_;
  std::chrono::steady_clock::time_point start_;
  std::string progress_text_;
  StatusRepeats status_repeats_;
  std::string repeat_note_;  // the latest repeated status, shown on the live line
  bool progress_shown_ = false;
  bool handler_installed_ = false;
  bool interrupted_ = false;
};

}  // namespace tsumiki::cli

#include "cli/terminal_host.h"

#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <istream>
#include <ostream>
#include <thread>

#include "cli/cli_texts.h"

extern char** environ;

namespace tsumiki::cli {

namespace {

volatile std::sig_atomic_t g_interrupt_pending = 0;
// Set once the program's own main has installed the handler for its whole life.
bool g_caught_for_process = false;
struct sigaction g_previous_int {};
struct sigaction g_previous_term {};

// Ctrl-C and SIGTERM alike ask the program to stop at a safe point.
extern "C" void OnInterrupt(int signal) {
  if (g_interrupt_pending != 0) {
    // Second request before the core took the first: end as the signal normally does.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  g_interrupt_pending = 1;
  const ssize_t written = ::write(STDERR_FILENO, kInterruptNote, sizeof kInterruptNote - 1);
  (void)written;
}

std::string_view AnswerName(MsgResult answer) {
  switch (answer) {
    case MsgResult::kOk:
      return kAnswerOk;
    case MsgResult::kCancel:
      return kAnswerCancel;
    case MsgResult::kYes:
      return kAnswerYes;
    case MsgResult::kNo:
      return kAnswerNo;
  }
  return {};
}

bool Offers(MsgButtons buttons, MsgResult answer) {
  switch (buttons) {
    case MsgButtons::kOk:
      return answer == MsgResult::kOk;
    case MsgButtons::kOkCancel:
      return answer == MsgResult::kOk || answer == MsgResult::kCancel;
    case MsgButtons::kYesNo:
      return answer == MsgResult::kYes || answer == MsgResult::kNo;
    case MsgButtons::kYesNoCancel:
      return answer != MsgResult::kOk;
  }
  return false;
}

std::string_view Prompt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::kOk:
      return {};
    case MsgButtons::kOkCancel:
      return kPromptOkCancel;
    case MsgButtons::kYesNo:
      return kPromptYesNo;
    case MsgButtons::kYesNoCancel:
      return kPromptYesNoCancel;
  }
  return {};
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

std::optional<MsgResult> ParseAnswer(const std::string& reply) {
  std::string lower;
  for (char c : reply) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "y" || lower == "yes" || lower == kAnswerYes) return MsgResult::kYes;
  if (lower == "n" || lower == "no" || lower == kAnswerNo) return MsgResult::kNo;
  if (lower == "c" || lower == "cancel" || lower == kAnswerCancel) return MsgResult::kCancel;
  if (lower == "o" || lower == "ok") return MsgResult::kOk;
  return std::nullopt;
}

// Message texts use the platform's CR LF line breaks; a terminal wants LF.
std::string PlainLines(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

TerminalSettings DetectTerminal(bool batch) {
  TerminalSettings settings;
  settings.batch = batch;
  const bool err_tty = ::isatty(STDERR_FILENO) == 1;
  settings.can_ask = !batch && err_tty && ::isatty(STDIN_FILENO) == 1;
  settings.live_line = err_tty;
  winsize size{};
  if (err_tty && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    settings.columns = size.ws_col;
  }
  return settings;
}

MsgResult SafeAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::kOk:
      return MsgResult::kOk;
    case MsgButtons::kOkCancel:
      return MsgResult::kCancel;
    case MsgButtons::kYesNo:
    case MsgButtons::kYesNoCancel:
      return MsgResult::kNo;
  }
  return MsgResult::kCancel;
}

TerminalHost::TerminalHost(std::istream& in, std::ostream& err, TerminalSettings settings)
    : in_(in), err_(err), settings_(settings), start_(std::chrono::steady_clock::now()) {}

TerminalHost::~TerminalHost() {
  ClearProgressLine();
  if (handler_installed_) {
    ::sigaction(SIGINT, &g_previous_int, nullptr);
    ::sigaction(SIGTERM, &g_previous_term, nullptr);
  }
}

namespace {

bool InstallHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  return ::sigaction(SIGINT, &action, &g_previous_int) == 0 &&
         ::sigaction(SIGTERM, &action, &g_previous_term) == 0;
}

}  // namespace

void TerminalHost::CatchInterruptsForProcess() {
  if (g_caught_for_process) return;
  g_caught_for_process = InstallHandler();
}

void TerminalHost::HoldInterrupts() {
  sigset_t held;
  sigemptyset(&held);
  sigaddset(&held, SIGINT);
  sigaddset(&held, SIGTERM);
  ::sigprocmask(SIG_BLOCK, &held, nullptr);
}

void TerminalHost::InstallInterruptHandler() {
  // A press since the start of the program counts: it is not cleared here.
  if (handler_installed_ || g_caught_for_process) return;
  g_interrupt_pending = 0;
  handler_installed_ = InstallHandler();
}

void TerminalHost::NoteInterrupt() {
  g_interrupt_pending = 1;
}

bool TerminalHost::InterruptPending() {
  return g_interrupt_pending != 0;
}

bool TerminalHost::TakeInterrupt() {
  if (g_interrupt_pending != 0) {
    g_interrupt_pending = 0;
    interrupted_ = true;
  }
  return interrupted_;
}

void TerminalHost::WriteLines(std::string_view text) {
  const bool redraw = progress_shown_;
  ClearProgressLine();
  err_ << text << '\n';
  err_.flush();
  if (redraw) ShowProgressLine(progress_text_);
}

MsgResult TerminalHost::MessageBox(std::string_view text, std::string_view title,
                                   MsgButtons buttons, MsgIcon /*icon*/) {
  std::string line;
  if (!title.empty()) line = "【" + std::string(title) + "】 ";
  line += PlainLines(text);
  WriteLines(line);
  if (buttons == MsgButtons::kOk) return MsgResult::kOk;

  if (settings_.can_ask) return Ask(buttons);
  const MsgResult answer = SafeAnswer(buttons);
  WriteAnswer(answer);
  return answer;
}

void TerminalHost::WriteAnswer(MsgResult answer) {
  WriteLines(std::string(kAutoAnswerLead) + std::string(AnswerName(answer)) +
             std::string(kAutoAnswerTail));
}

void TerminalHost::ShowAnswered(std::string_view text, std::string_view title, MsgResult answer) {
  MessageBox(text, title, MsgButtons::kOk, MsgIcon::kNone);
  WriteAnswer(answer);
}

MsgResult TerminalHost::Ask(MsgButtons buttons) {
  const bool redraw = progress_shown_;
  ClearProgressLine();
  MsgResult answer = SafeAnswer(buttons);
  std::string reply;
  while (true) {
    err_ << Prompt(buttons);
    err_.flush();
    if (!std::getline(in_, reply)) {
      // End of input: nobody is there to answer.
      WriteAnswer(answer);
      break;
    }
    const auto parsed = ParseAnswer(Trimmed(reply));
    if (parsed && Offers(buttons, *parsed)) {
      answer = *parsed;
      break;
    }
  }
  if (redraw) ShowProgressLine(progress_text_);
  return answer;
}

void TerminalHost::ShowStatusWindow(const StatusView& view) {
  if (view.text.empty()) return;
  const bool repeat = status_repeats_.Seen(view.text);
  const std::optional<std::string> line = status_repeats_.Line(view.text, MonotonicMs());
  if (!line) return;
  // On a terminal a repeat updates the live line in place instead of scrolling.
  if (repeat && settings_.live_line) {
    repeat_note_ = *line;
    ShowProgressLine(progress_text_);
    return;
  }
  WriteLines(*line);
}

void TerminalHost::DoEvents() {
  if (g_interrupt_pending != 0) {
    // Without a run to stop the request waits for the command's end, which then
    // reports it (Interrupted).
    g_interrupt_pending = 0;
    interrupted_ = true;
  }
  // Once taken, the request stands until the program ends: a run that starts
  // afresh (and clears its abort flag) stops again at its first check.
  if (interrupted_) RequestAbort();
  RunDueTimers();
}

void TerminalHost::Sleep(int milliseconds) {
  if (settings_.batch || milliseconds <= 0) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t TerminalHost::MonotonicMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

double TerminalHost::SecondsSinceMidnight() const {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  const auto fraction =
      std::chrono::duration<double>(now - std::chrono::system_clock::from_time_t(seconds));
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction.count();
}

void TerminalHost::ShowProgressWindow(const ProgressView& view) {
  ShowProgressLine(ProgressLineText(view));
}

void TerminalHost::ShowProgressLine(std::string_view text) {
  progress_text_ = std::string(text);
  if (!settings_.live_line) return;
  const std::string shown =
      repeat_note_.empty() ? progress_text_ : progress_text_ + "  " + repeat_note_;
  err_ << '\r' << FitToColumns(shown, settings_.columns - 1) << "\x1b[K";
  err_.flush();
  progress_shown_ = true;
}

void TerminalHost::ClearProgressLine() {
  if (!progress_shown_) return;
  err_ << "\r\x1b[K";
  err_.flush();
  progress_shown_ = false;
}

void TerminalHost::ShowExplanation(std::string_view title, std::string_view text) {
  std::string lines = PlainLines(text);
  if (!lines.empty() && lines.back() == '\n') lines.pop_back();
  WriteLines("【" + std::string(title) + "】\n" + lines);
}

void TerminalHost::ShowWarning(std::string_view text) {
  std::string lines = PlainLines(text);
  if (!lines.empty() && lines.back() == '\n') lines.pop_back();
  WriteLines("警告: " + lines);
}

bool TerminalHost::OpenUrl(std::string_view address) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) return false;
  // No shell in between: the address is one argument, whatever it contains.
  std::string opener = "xdg-open";
  std::string argument(address);
  char* argv[] = {opener.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tsumiki::cli

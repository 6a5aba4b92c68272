#include "present/progress_window.h"

#include <charconv>

#include "creation/time_limit.h"

namespace tsumiki {

namespace {

// How the time-limit minutes appear in the message: the shortest text that reads
// back as the same value ("30", "2.5").
std::string MinutesText(float minutes) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, minutes);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string RemainingText(std::int64_t remaining_ms) {
  if (remaining_ms < 0) return "0:00";
  const std::int64_t total_seconds = remaining_ms / 1000;
  const std::int64_t minutes = total_seconds / 60;
  const std::int64_t seconds = total_seconds % 60;
  std::string text = std::to_string(minutes) + ":";
  if (seconds < 10) text += "0";
  return text + std::to_string(seconds);
}

std::string TimeLimitMessage(float time_limit_minutes, const DaySlot& failed,
                             const IndexArray<std::string>& type_abbrev) {
  std::string text =
      "制限時間の" + MinutesText(time_limit_minutes) + "分が過ぎました！\n処理を中止します。";
  // Before any member search has failed there is no day or duty to name.
  if (failed.type < 1 || failed.type < type_abbrev.Lo() || failed.type > type_abbrev.Hi()) {
    return text;
  }
  text +=
      "\n\n" + std::to_string(failed.day) + "日の [" + type_abbrev(failed.type) + "] を確保失敗！";
  return text;
}

ProgressWindow::ProgressWindow(Host& host, RunState& run, const ConditionModel& model,
                               const int& status_position)
    : BarWindow(host, status_position, view_, kProgressWidthTwips, kProgressHeightTwips),
      run_(run),
      model_(model) {}

ProgressWindow::~ProgressWindow() {
  Unload();
}

std::int64_t ProgressWindow::RemainingMs() const {
  return TimeLimitMs(model_.TimeLimitMinutes) - (host().MonotonicMs() - run_.RunStartTime);
}

void ProgressWindow::Load() {
  if (!Open()) return;
  view_.remaining_text = RemainingText(RemainingMs());
  timer_ = host().StartTimer(kProgressTickMs, [this] { OnTimerTick(); });
  Paint();
}

void ProgressWindow::StopTimer() {
  if (!timer_) return;
  host().StopTimer(*timer_);
  timer_.reset();
}

void ProgressWindow::Unload() {
  StopTimer();
  Close();
}

void ProgressWindow::SetPass(int pass_number) {
  view_.pass_number = pass_number;
  Paint();
}

void ProgressWindow::OnAbortClicked() {
  run_.AbortRequested = true;
}

void ProgressWindow::OnTimerTick() {
  if (!timer_) return;
  const std::int64_t remaining = RemainingMs();
  view_.remaining_text = RemainingText(remaining);
  Paint();
  host().DoEvents();
  if (!timer_ || remaining >= 0) return;
  run_.AbortRequested = true;
  run_.DeadlinePassed = true;
  ReportDeadline();
}

void ProgressWindow::ReportDeadline() {
  if (time_limit_passed_ || !run_.DeadlinePassed) return;
  time_limit_passed_ = true;
  StopTimer();
  view_.remaining_text = "0:00";
  Paint();
  host().MessageBox(TimeLimitMessage(model_.TimeLimitMinutes, run_.FailedSlot, model_.TypeAbbrev),
                    kTimeLimitTitle, MsgButtons::kOk);
}

}  // namespace tsumiki

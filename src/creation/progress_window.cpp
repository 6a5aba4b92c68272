#include "creation/progress_window.h"

#include <charconv>
#include <cmath>

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

std::int64_t TimeLimitMs(float time_limit_minutes) {
  const double ms = std::round(static_cast<double>(time_limit_minutes) * 60000.0);
  if (!(ms > 0)) return 0;
  return static_cast<std::int64_t>(ms);
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
    : host_(host), run_(run), model_(model), status_position_(status_position) {
  view_.width_twips = kProgressWidthTwips;
  view_.height_twips = kProgressHeightTwips;
}

ProgressWindow::~ProgressWindow() {
  Unload();
}

void ProgressWindow::Load() {
  if (loaded_) return;
  loaded_ = true;
  const auto place =
      PlaceProgressWindow(status_position_, host_.Screen(), view_.width_twips, view_.height_twips);
  view_.keep_position = !place.has_value();
  if (place) {
    view_.left_twips = place->left;
    view_.top_twips = place->top;
  }
  view_.remaining_text = RemainingText(TimeLimitMs(model_.TimeLimitMinutes) -
                                       (host_.MonotonicMs() - run_.RunStartTime));
  timer_ = host_.StartTimer(kProgressTickMs, [this] { OnTimerTick(); });
  Paint();
}

void ProgressWindow::Unload() {
  if (timer_) {
    host_.StopTimer(*timer_);
    timer_.reset();
  }
  if (!loaded_) return;
  loaded_ = false;
  host_.HideProgressWindow();
}

void ProgressWindow::SetRange(int minimum, int maximum) {
  view_.bar_min = minimum;
  view_.bar_max = maximum;
  Paint();
}

void ProgressWindow::SetValue(int value) {
  view_.bar_value = value;
  Paint();
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
  const std::int64_t remaining =
      TimeLimitMs(model_.TimeLimitMinutes) - (host_.MonotonicMs() - run_.RunStartTime);
  view_.remaining_text = RemainingText(remaining);
  Paint();
  host_.DoEvents();
  if (!timer_ || remaining >= 0) return;
  run_.AbortRequested = true;
  run_.DeadlinePassed = true;
  ReportDeadline();
}

void ProgressWindow::ReportDeadline() {
  if (time_limit_passed_ || !run_.DeadlinePassed) return;
  time_limit_passed_ = true;
  if (timer_) {
    host_.StopTimer(*timer_);
    timer_.reset();
  }
  view_.remaining_text = "0:00";
  Paint();
  host_.MessageBox(TimeLimitMessage(model_.TimeLimitMinutes, run_.FailedSlot, model_.TypeAbbrev),
                   kTimeLimitTitle, MsgButtons::kOk);
}

void ProgressWindow::Paint() {
  if (loaded_) host_.ShowProgressWindow(view_);
}

}  // namespace tsumiki

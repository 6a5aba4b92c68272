#include "support/scripted_host.h"

#include <cmath>
#include <stdexcept>

namespace tsumiki::testing {

namespace {

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

MsgResult FirstButton(MsgButtons buttons) {
  return buttons == MsgButtons::kOk || buttons == MsgButtons::kOkCancel ? MsgResult::kOk
                                                                        : MsgResult::kYes;
}

}  // namespace

ScriptedHost::ScriptedHost(double start_seconds) : start_seconds_(start_seconds) {}

MsgResult ScriptedHost::MessageBox(std::string_view text, std::string_view title,
                                   MsgButtons buttons, MsgIcon icon) {
  MsgResult answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    if (!Offers(buttons, answer)) {
      throw std::logic_error("scripted answer does not fit the message box: " + std::string(text));
    }
  } else {
    // A default the box does not offer (No for an OK-only notice) gives its first button.
    answer = default_answer_.value_or(FirstButton(buttons));
    if (!Offers(buttons, answer)) answer = FirstButton(buttons);
  }
  messages_.push_back(Message{std::string(text), std::string(title), buttons, icon, answer});
  return answer;
}

std::vector<std::string> ScriptedHost::MessageTexts() const {
  std::vector<std::string> texts;
  for (const Message& m : messages_) texts.push_back(m.text);
  return texts;
}

void ScriptedHost::ShowStatusWindow(const StatusView& view) {
  status_views_.push_back(view);
  status_visible_ = true;
}

void ScriptedHost::HideStatusWindow() {
  status_visible_ = false;
  ++status_hides_;
}

std::vector<std::string> ScriptedHost::StatusTexts() const {
  std::vector<std::string> texts;
  for (const StatusView& v : status_views_) texts.push_back(v.text);
  return texts;
}

void ScriptedHost::ShowProgressWindow(const ProgressView& view) {
  progress_views_.push_back(view);
  progress_visible_ = true;
}

void ScriptedHost::ShowOptimiseWindow(const OptimiseView& view) {
  optimise_views_.push_back(view);
  optimise_visible_ = true;
}

void ScriptedHost::SetTopmost(WindowId window, bool topmost) {
  window_actions_.push_back(WindowAction{topmost ? "topmost" : "not-topmost", window, {}, 0, 0});
}

void ScriptedHost::MoveWindow(WindowId window, int left_px, int top_px) {
  window_actions_.push_back(WindowAction{"move", window, {}, left_px, top_px});
}

void ScriptedHost::SetWindowCaption(WindowId window, std::string_view caption) {
  window_actions_.push_back(WindowAction{"caption", window, std::string(caption), 0, 0});
}

void ScriptedHost::ActivateWindow(WindowId window) {
  window_actions_.push_back(WindowAction{"activate", window, {}, 0, 0});
}

void ScriptedHost::EndSheetEditing() {
  window_actions_.push_back(WindowAction{"end-editing", WindowId::kSheet, {}, 0, 0});
}

PixelSize ScriptedHost::WindowSize(WindowId window) const {
  for (const auto& [id, size] : window_sizes_) {
    if (id == window) return size;
  }
  return {};
}

void ScriptedHost::SetWindowSize(WindowId window, PixelSize size) {
  std::erase_if(window_sizes_, [window](const auto& entry) { return entry.first == window; });
  window_sizes_.emplace_back(window, size);
}

std::optional<std::string> ScriptedHost::AskSaveFileName(std::string_view /*filter*/,
                                                         std::string_view /*folder*/) {
  file_dialogs_.push_back("save");
  if (file_names_.empty()) return std::nullopt;
  std::optional<std::string> path = std::move(file_names_.front());
  file_names_.pop_front();
  return path;
}

std::optional<std::string> ScriptedHost::AskOpenFileName(std::string_view /*filter*/,
                                                         std::string_view /*folder*/) {
  file_dialogs_.push_back("open");
  if (file_names_.empty()) return std::nullopt;
  std::optional<std::string> path = std::move(file_names_.front());
  file_names_.pop_front();
  return path;
}

void ScriptedHost::ShowForm(std::string_view form_name) {
  form_events_.push_back("show:" + std::string(form_name));
}

void ScriptedHost::CloseForm(std::string_view form_name) {
  form_events_.push_back("close:" + std::string(form_name));
}

bool ScriptedHost::OpenUrl(std::string_view address) {
  urls_.emplace_back(address);
  return browser_available_;
}

void ScriptedHost::Sleep(int milliseconds) {
  ++sleep_count_;
  if (milliseconds > 0) {
    now_ms_ += milliseconds;
    slept_ms_ += milliseconds;
  }
}

double ScriptedHost::SecondsSinceMidnight() const {
  return std::fmod(start_seconds_ + static_cast<double>(now_ms_) / 1000.0, 86400.0);
}

void ScriptedHost::Advance(std::int64_t milliseconds) {
  if (milliseconds > 0) now_ms_ += milliseconds;
}

void ScriptedHost::AtDoEvents(int n, std::function<void()> action) {
  scheduled_.push_back(Scheduled{false, n, std::move(action)});
}

void ScriptedHost::AtTime(std::int64_t ms, std::function<void()> action) {
  scheduled_.push_back(Scheduled{true, ms, std::move(action)});
}

void ScriptedHost::DoEvents() {
  ++do_events_count_;
  // Take the due actions out first: an action may schedule further ones.
  std::vector<std::function<void()>> due;
  for (auto it = scheduled_.begin(); it != scheduled_.end();) {
    const bool is_due = it->by_time ? now_ms_ >= it->when : do_events_count_ >= it->when;
    if (is_due) {
      due.push_back(std::move(it->action));
      it = scheduled_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& action : due) action();
  RunDueTimers();
}

}  // namespace tsumiki::testing

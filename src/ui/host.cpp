#include "ui/host.h"

#include <algorithm>

namespace tsumiki {

void Host::Pause(int milliseconds) {
  constexpr int kStepMs = 10;
  do {
    Sleep(kStepMs);
    milliseconds -= kStepMs;
    DoEvents();
  } while (milliseconds > 0);
}

void Host::DoEvents() {
  RunDueTimers();
}

void Host::ShowWarning(std::string_view text) {
  MessageBox(text, "警告", MsgButtons::kOk, MsgIcon::kExclamation);
}

Host::TimerId Host::StartTimer(int interval_ms, std::function<void()> on_tick) {
  const TimerId id = next_timer_id_++;
  timers_.push_back(Timer{id, interval_ms, MonotonicMs() + interval_ms, std::move(on_tick)});
  return id;
}

void Host::StopTimer(TimerId id) {
  std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
}

void Host::RunDueTimers() {
  const std::int64_t now = MonotonicMs();
  // Copy the ids first: a tick may start or stop timers (the time-limit tick stops
  // its own timer and shows a message box).
  std::vector<TimerId> due;
  for (const Timer& t : timers_) {
    if (now >= t.next_due_ms) due.push_back(t.id);
  }
  for (TimerId id : due) {
    auto it =
        std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
    if (it == timers_.end()) continue;
    it->next_due_ms = now + std::max(it->interval_ms, 1);
    auto tick = it->on_tick;  // the callback may erase the timer
    tick();
  }
}

}  // namespace tsumiki

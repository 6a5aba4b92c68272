#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "conditions/run_state.h"
#include "ui/host.h"

namespace tsumiki {

// How a look at the events and the clock came out.
enum class CadenceStop {
  kNone,      // go on
  kAborted,   // 中止, Ctrl-C or the run's time limit (StopRequested)
  kDeadline,  // the search's own deadline passed
};

// Lets events run and shows a search's status every `interval` steps. The status
// is shown again only when the value it reports changed and at least
// `status_interval_ms` passed since the last one: every status text is a line on
// the command line. The first look always shows it.
class EventCadence {
 public:
  EventCadence(Host& host, RunState& run, int status_position, int interval,
               std::int64_t status_interval_ms)
      : host_(host),
        run_(run),
        status_position_(status_position),
        interval_(interval < 1 ? 1 : interval),
        status_interval_ms_(status_interval_ms) {}

  // Called once per step before the step is made. `text_of` turns the reported
  // value into the status text; it is called only when the text is shown.
  template <typename TextOf>
  CadenceStop Tick(std::int64_t step, double value, std::int64_t deadline_ms, TextOf text_of) {
    if (step % interval_ != 0) return CadenceStop::kNone;
    if (!(value == shown_) &&
        (!shown_once_ || host_.MonotonicMs() - shown_at_ >= status_interval_ms_)) {
      shown_ = value;
      shown_once_ = true;
      shown_at_ = host_.MonotonicMs();
      Show(text_of(value));
    } else {
      host_.DoEvents();
    }
    const std::int64_t now = host_.MonotonicMs();
    if (StopRequested(run_, now)) return CadenceStop::kAborted;
    return now >= deadline_ms ? CadenceStop::kDeadline : CadenceStop::kNone;
  }

  // Clears the status text at the end of the search.
  void Clear() { Show(std::string()); }

 private:
  void Show(const std::string& text);

  Host& host_;
  RunState& run_;
  int status_position_;
  int interval_;
  std::int64_t status_interval_ms_;
  double shown_ = std::numeric_limits<double>::quiet_NaN();
  bool shown_once_ = false;
  std::int64_t shown_at_ = 0;
};

}  // namespace tsumiki

#include "optimise/local_search/event_cadence.h"

#include "ui/status.h"

namespace tsumiki {

void EventCadence::Show(const std::string& text) {
  ShowStatus(host_, text, kDefaultColour, kDefaultColour, /*topmost=*/false, status_position_);
}

}  // namespace tsumiki

#include "ui/wait.h"

namespace tsumiki {

namespace {
constexpr int kWaitStepMs = 10;
}

void WaitWithEvents(Host& host, int milliseconds) {
  do {
    host.Sleep(kWaitStepMs);
    milliseconds -= kWaitStepMs;
    host.DoEvents();
  } while (milliseconds > 0);
}

}  // namespace tsumiki

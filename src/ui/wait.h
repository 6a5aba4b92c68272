#pragma once

#include "ui/host.h"

namespace tsumiki {

// Waits without freezing the windows: the host's Pause, which by default sleeps
// 10 ms, counts 10 ms off and lets pending events run, until the count reaches 0
// or less. Always at least one round, so a wait of 0 still lets events run once.
void WaitWithEvents(Host& host, int milliseconds);

}  // namespace tsumiki

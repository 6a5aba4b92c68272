#include "ui/wait.h"

namespace tsumiki {

void WaitWithEvents(Host& host, int milliseconds) {
  host.Pause(milliseconds);
}

}  // namespace tsumiki

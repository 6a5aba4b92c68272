#include "creation/time_limit.h"

#include <cmath>

namespace tsumiki {

std::int64_t TimeLimitMs(float time_limit_minutes) {
  const double ms = std::round(static_cast<double>(time_limit_minutes) * 60000.0);
  if (!(ms > 0)) return 0;
  return static_cast<std::int64_t>(ms);
}

}  // namespace tsumiki

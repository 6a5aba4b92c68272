#pragma once

#include <algorithm>

#include "ui/random.h"

namespace tsumiki {

// A whole number uniform in lo..hi from one draw of the run's generator; the
// clamp guards the rounding of the product at the top end.
inline int DrawBetween(RandomSource& random, int lo, int hi) {
  const int span = hi - lo + 1;
  const int k = static_cast<int>(random.RandomValue() * span);
  return lo + std::clamp(k, 0, span - 1);
}

}  // namespace tsumiki

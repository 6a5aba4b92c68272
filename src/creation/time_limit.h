#pragma once

#include <cstdint>

namespace tsumiki {

// The time limit in milliseconds: the minutes as given (0.5 is 30 s), to the
// nearest millisecond, never negative.
std::int64_t TimeLimitMs(float time_limit_minutes);

}  // namespace tsumiki

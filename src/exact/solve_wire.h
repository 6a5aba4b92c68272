#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exact/cbc_solve.h"

namespace tsumiki::exact {

// A solve as bytes for a solver process that is this same program started anew:
// the model and CBC's own limits. The stop flag and the deadline stay with the
// caller, who watches them.
struct SolveRequest {
  LinearModel lp;
  double seconds = 60;
  bool wall_clock = false;
};

std::string EncodeSolveRequest(const LinearModel& lp, const SolveLimits& limits);
// None where the bytes are not a whole request.
std::optional<SolveRequest> DecodeSolveRequest(std::string_view bytes);

}  // namespace tsumiki::exact

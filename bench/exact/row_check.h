#pragma once

#include <vector>

#include "exact/linear_model.h"

namespace tsumiki::bench {

// How many of the model's bounds `values` break: a column off a whole number or
// outside its bounds, a row whose sum lies outside its bounds. A solver's answer
// counts as a month only when this is 0, so neither solver is credited with a
// month its own tolerances let through.
int BrokenBounds(const exact::LinearModel& lp, const std::vector<double>& values);

}  // namespace tsumiki::bench

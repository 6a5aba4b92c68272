#pragma once

#include "exact/cbc_solve.h"
#include "exact/exact_model.h"
#include "exact/relaxation.h"

namespace tsumiki::exact {

// The relaxation that a solution of a kRelaxation model describes: every slack
// above zero as an item (staffing first, by day and duty; then the members; then
// the combinations; then the optional limits, member by member), and its roster as
// the nearest month.
Relaxation ReadRelaxation(const ConditionModel& model, const ExactModel& relaxed,
                          const SolveResult& solved);

}  // namespace tsumiki::exact

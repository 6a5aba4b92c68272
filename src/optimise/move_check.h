#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// The debug check a search runs after each move it accepted. In a build with
// TSUMIKI_CHECK_MOVES (the sanitizer build) the tallies must equal a recount of the
// roster and `incremental`, the score the search keeps change by change, must equal
// MonthObjective bit for bit; otherwise the program aborts naming the search and the
// difference. In other builds the check is empty and costs nothing.
#ifdef TSUMIKI_CHECK_MOVES
void CheckAcceptedMove(const ConditionModel& model, float incremental, const char* search);
#else
inline void CheckAcceptedMove(const ConditionModel& /*model*/, float /*incremental*/,
                              const char* /*search*/) {}
#endif

}  // namespace tsumiki

#include "optimise/move_check.h"

#ifdef TSUMIKI_CHECK_MOVES

#include <cstdio>
#include <cstdlib>
#include <string>

#include "conditions/roster_writer.h"
#include "roster/month_objective.h"

namespace tsumiki {

void CheckAcceptedMove(const ConditionModel& model, float incremental, const char* search) {
  const std::string drift = TallyDrift(model);
  if (!drift.empty()) {
    std::fprintf(stderr, "move check: after a move of %s the tallies drifted: %s\n", search,
                 drift.c_str());
    std::abort();
  }
  const float full = MonthObjective(model);
  if (full != incremental) {
    std::fprintf(stderr,
                 "move check: after a move of %s the incremental score %.9g differs from "
                 "MonthObjective %.9g\n",
                 search, static_cast<double>(incremental), static_cast<double>(full));
    std::abort();
  }
}

}  // namespace tsumiki

#endif

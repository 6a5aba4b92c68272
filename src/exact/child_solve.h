#pragma once

#include "exact/cbc_solve.h"

namespace tsumiki::exact {

// Solves `lp` with CBC in a child process (this program started anew) and waits
// for it, looking at the stop flag every few milliseconds; a stop kills the child
// at once; so does the end of this process. CBC itself only
// looks at the flag between LP iterations and branch-and-bound events, and its
// preprocessing and cut rounds on the largest months run half a second without
// looking; a child process ends within the run's promised latency whatever CBC is
// doing. Where no child can be made, the solve runs on the calling thread.
SolveResult SolveInChild(const LinearModel& lp, const SolveLimits& limits);

}  // namespace tsumiki::exact

#pragma once

#include "exact/cbc_solve.h"

namespace tsumiki::exact {

// Solves `lp` with CBC in a solver process (this program started anew, kept by the
// calling thread from one solve to the next) and waits for the answer, looking at
// the stop flag every few milliseconds; a stop or the deadline kills the solver at
// once, and so does the end of this process. CBC itself only looks at the flag
// between LP iterations and branch-and-bound events, and its preprocessing and cut
// rounds on the largest months run half a second without looking; a process ends
// within the run's promised latency whatever CBC is doing. Where no solver can be
// started, the solve runs on the calling thread.
SolveResult SolveInChild(const LinearModel& lp, const SolveLimits& limits);

}  // namespace tsumiki::exact

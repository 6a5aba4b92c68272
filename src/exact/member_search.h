#pragma once

#include <atomic>

#include "exact/cbc_solve.h"
#include "exact/exact_model.h"

namespace tsumiki::exact {

// Betters a month of a weighed model by solving it again for a few members at a
// time with every other member's month held as it is: CBC solves most of those
// models to their best in a few hundredths of a second, where the whole month
// of fifty members gives it no better month within minutes. A round takes the
// members in groups of a size, in an order drawn from a fixed seed; after a
// round that betters nothing the groups double, up to the whole month, which is
// then solved once with what is left of the budget.
//
// `month` (over `cells`) has an objective and `current` holds a month of it; returns the best
// month found (objective set), `current` when nothing was better.
//
// `early`, where set, is the model the groups are solved in for its first seconds
// (the same costs, tighter rows: the work days held at the targets); the rounds
// go on in `month` from there, the groups small again.
struct EarlyModel {
  const LinearModel* lp = nullptr;
  double seconds = 0;
};
SolveResult ImproveByMembers(const LinearModel& month, const CellVariables& cells,
                             SolveResult current, double seconds, const std::atomic<bool>* stop,
                             const EarlyModel& early = {});

}  // namespace tsumiki::exact

#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "exact/cbc_solve.h"
#include "exact/exact_model.h"

namespace tsumiki::exact {

// Betters a month of a weighed model by solving it again for a few members at a
// time with every other member's month held as it is: CBC solves most of those
// models to their best in a few hundredths of a second, where the whole month
// of fifty members gives it no better month within minutes. A round takes the
// members in groups of a size, in an order drawn from a fixed seed. After a
// round that betters nothing, every member is solved again on a few days at a
// time with the other days held (the cover the groups cannot reach lies there:
// a weekend one member works and another could); where that betters nothing
// too, half the members on windows twice as wide, and where those better
// nothing, the groups double. Past the largest group the sizes start again from the
// smallest, each round drawing other groups. A whole turn of sizes that betters
// nothing doubles the time each solve is given, and once that is at its most
// the whole month is solved once with what is left of the budget.
//
// `month` (over `cells`) has an objective and `current` holds a month of it; returns the best
// month found (objective set), `current` when nothing was better.
//
// `early`, where set, is the model the groups are solved in for its first seconds
// (the same costs, tighter rows: the work days held at the targets); the rounds
// go on in `month` from there, the groups small again.
// The columns of each member's month (index: member): its cells, and the columns
// of its own beside them that a model may have (a relaxation's slack).
using MemberColumns = std::vector<std::vector<int>>;
MemberColumns CellColumns(const CellVariables& cells);

// Solves `month` again for the members of `group` with every other member's
// columns held at `current` (columns of no member stay free), over the columns
// left free alone; takes the solution where its objective is lower. True when
// it took one.
bool BetterForGroup(const LinearModel& month, const MemberColumns& columns,
                    const std::vector<int>& group, SolveResult& current, const SolveLimits& limits);

struct EarlyModel {
  const LinearModel* lp = nullptr;
  double seconds = 0;
};
// `on_better`, where set, hears of each better month as it is found.
using OnBetter = std::function<void(const SolveResult&)>;
SolveResult ImproveByMembers(const LinearModel& month, const CellVariables& cells,
                             SolveResult current, double seconds, const std::atomic<bool>* stop,
                             const EarlyModel& early = {}, const OnBetter& on_better = {});

}  // namespace tsumiki::exact

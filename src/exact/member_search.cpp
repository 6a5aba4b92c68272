#include "exact/member_search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "exact/child_solve.h"

namespace tsumiki::exact {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFirstGroup = 2;
// One group's solve; a group that CBC cannot settle by then gives its best so far.
constexpr double kGroupSeconds = 3.0;
// Better by less than this is rounding, not a better month.
constexpr double kBetter = 1e-6;

// The month model with every cell outside `group` fixed to its value in `values`.
LinearModel WithOthersHeld(const ExactModel& month, const std::vector<int>& group,
                           const std::vector<double>& values) {
  LinearModel lp = month.lp;
  for (int m = 1; m <= month.cells->MemberCount(); ++m) {
    if (std::find(group.begin(), group.end(), m) != group.end()) continue;
    for (int column : month.cells->ColumnsOf(m))
      lp.FixColumn(column, std::round(values[static_cast<std::size_t>(column)]));
  }
  return lp;
}

}  // namespace

SolveResult ImproveByMembers(const ExactModel& month, SolveResult current, double seconds,
                             const std::atomic<bool>* stop) {
  const Clock::time_point start = Clock::now();
  auto left = [&] { return seconds - std::chrono::duration<double>(Clock::now() - start).count(); };
  const int members = month.cells->MemberCount();
  std::vector<int> order(static_cast<std::size_t>(members));
  std::iota(order.begin(), order.end(), 1);
  std::mt19937 draw(1);
  int size = kFirstGroup;
  while (size < members && left() > 0 && !Stopping(stop)) {
    std::shuffle(order.begin(), order.end(), draw);
    bool bettered = false;
    for (std::size_t first = 0; first < order.size() && left() > 0 && !Stopping(stop);
         first += static_cast<std::size_t>(size)) {
      const std::vector<int> group(order.begin() + static_cast<std::ptrdiff_t>(first),
                                   order.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                       order.size(), first + static_cast<std::size_t>(size))));
      const SolveResult solved = SolveInChild(WithOthersHeld(month, group, current.values),
                                              SolveLimits{std::min(kGroupSeconds, left()), stop, true});
      if (solved.values.size() != current.values.size()) continue;
      const double objective = month.lp.CostOf(solved.values);
      if (objective < current.objective - kBetter) {
        current.values = solved.values;
        current.objective = objective;
        bettered = true;
      }
    }
    if (!bettered) size *= 2;
  }
  if (left() > 0 && !Stopping(stop)) {
    const SolveResult whole = SolveInChild(month.lp, SolveLimits{left(), stop, true});
    if (whole.values.size() == current.values.size() && month.lp.CostOf(whole.values) < current.objective - kBetter) {
      current = whole;
      current.objective = month.lp.CostOf(whole.values);
    }
  }
  return current;
}

}  // namespace tsumiki::exact

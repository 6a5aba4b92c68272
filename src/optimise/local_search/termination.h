#pragma once

#include <cstdint>

namespace tsumiki {

// When a local search ends on its own. Budgets are counted in steps, not read off
// the clock, so that a seeded run repeats exactly on any machine; the deadline
// only ends a search on a much slower one (or at the run's time limit).
struct Termination {
  std::int64_t deadline_ms = 0;  // Host::MonotonicMs() at which the search ends
  std::int64_t max_steps = 0;    // steps tried at most
  std::int64_t stall_steps = 0;  // steps without a new best; 0: no such limit

  bool BudgetSpent(std::int64_t steps, std::int64_t last_best) const {
    return steps >= max_steps || (stall_steps > 0 && steps - last_best >= stall_steps);
  }
};

}  // namespace tsumiki

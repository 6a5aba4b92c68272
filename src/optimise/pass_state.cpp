#include "optimise/pass_state.h"

#include "roster/run_lengths.h"

namespace tsumiki {

const std::vector<int>& PassState::WorkRuns(const ConditionModel& model, int d) {
  if (d == day_) return work_runs_;
  day_ = d;
  work_runs_.assign(static_cast<std::size_t>(model.MemberCount + 1), 0);
  for (int m = 1; m <= model.MemberCount; ++m) {
    work_runs_[static_cast<std::size_t>(m)] = WorkRunAround(model, m, d);
  }
  return work_runs_;
}

}  // namespace tsumiki

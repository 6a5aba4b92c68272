#pragma once

#include <vector>

#include "conditions/condition_model.h"
#include "optimise/score_tally.h"

namespace tsumiki {

// What an optimisation pass carries from one candidate exchange to the next: the
// score tally, and every member's work run around the day being improved.
// Exchanges on a day change only that day's codes, and a run around a day does not
// depend on the day's own code, so the runs are measured once a day.
class PassState {
 public:
  explicit PassState(const ConditionModel& model) : tally(model) {}

  // WorkRunAround of members 1..N on day d (index m), measured when d differs from
  // the day asked last. Valid while the roster changes on day d only.
  const std::vector<int>& WorkRuns(const ConditionModel& model, int d);

  ScoreTally tally;

 private:
  int day_ = -1;
  std::vector<int> work_runs_;
};

}  // namespace tsumiki

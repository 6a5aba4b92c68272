#pragma once

#include <cstdint>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// RosterScore kept up to date member by member, for searches that score one
// exchange after another. Holds, per scored TypeTally column (each duty type and
// the work days still missing to the target), the integer sums of the members'
// values and of their squares, and per member the isolated work days and single
// runs the penalties count. After a change of the roster, Refresh the members
// whose column changed; Score then equals RosterScore of the same roster bit for
// bit, because it forms every figure with the same single-precision operations in
// the same order (sums of small integers are exact in single precision, so the
// integer sums convert to the very value RosterScore accumulates).
class ScoreTally {
 public:
  // Reads the weights, the penalty switches and every member. The weights and
  // switches must not change while the tally is in use.
  explicit ScoreTally(const ConditionModel& model);

  // Re-reads member m's tallies, work days and, when a penalty is on and the
  // member's pattern of work and rest changed, their single days. O(T + D).
  void Refresh(const ConditionModel& model, int m);

  // The score of the roster as last read; does not touch TypeTally.
  float Score();

 private:
  void ReadValues(const ConditionModel& model, int m);
  // Column c of a member's values: c < types_ the duty type c + 1, c == types_ the
  // work days still missing to the target.
  void SetValue(int m, int c, int value);
  float Spread(int c);
  void CountSingles(const ConditionModel& model, int m);
  std::uint64_t WorkPattern(const ConditionModel& model, int m) const;

  int members_;
  int types_;
  int columns_;
  int day_count_;
  bool prevent_single_work_;
  bool work_focus_;
  std::vector<float> weights_;  // per column
  std::vector<int> values_;     // (member - 1) * columns_ + column
  std::vector<long long> sum_;
  std::vector<long long> sum_squares_;
  std::vector<float> spread_;
  std::vector<char> spread_stale_;
  // Per member: the work days as bits (day i at bit i), and the penalty counts.
  std::vector<std::uint64_t> pattern_;
  std::vector<int> isolated_;
  std::vector<int> single_work_;
  std::vector<int> single_rest_;
  int isolated_total_ = 0;
  int single_work_total_ = 0;
  int single_rest_total_ = 0;
};

}  // namespace tsumiki

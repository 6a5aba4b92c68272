#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// One member's counts for the single-day penalties: isolated work days
// (CountIsolatedWorkDays) and single work and rest runs (MemberSingleDayCount).
struct SingleDays {
  int isolated = 0;
  int work = 0;
  int rest = 0;
};

// MonthObjective kept up to date change by change, for searches that score one
// exchange after another. Holds, per scored TypeTally column (each duty type and
// the work days still missing to the target), the integer sums of the members'
// values and of their squares, and per member the isolated work days and single
// runs the penalties count. Score equals RosterScore of the same roster bit for
// bit, because it forms every figure with the same single-precision operations in
// the same order (sums of small integers are exact in single precision, so the
// integer sums convert to the very value RosterScore accumulates; larger sums are
// added up member by member as RosterScore does). With wishes or desired
// staffing set, it also keeps each member's codes, the weights of the missed
// wishes and the staff of every duty and day with the places missing to the
// desired staffing, all as integers; a month without them keeps none of it.
class ScoreTally {
 public:
  // Reads the weights, the penalty switches and every member. The weights and
  // switches must not change while the tally is in use.
  explicit ScoreTally(const ConditionModel& model);

  // After SwapDuties(model, a, b, d), in either order of a and b: reads what the
  // exchange can have changed. O(1) in months of up to 31 days.
  void Swapped(const ConditionModel& model, int a, int b, int d);

  // The score of the roster as it stands after SwapDuties(model, a, b, d), while
  // the tally still holds the roster before it: an exchange that is tried and
  // undone need not be read twice. Leaves the tally as it was.
  float ScoreAfterSwap(const ConditionModel& model, int a, int b, int d);

  // Re-reads member m whole after any other change of their roster or tallies.
  // O(T + D).
  void Refresh(const ConditionModel& model, int m);

  // The score of the roster as last read; does not touch TypeTally.
  float Score();

  // Duty t's staff on day d and the places missing to its desired staffing
  // there, as last read; only kept while the model sets desired staffing.
  bool KeepsStaffing() const { return has_desired_; }
  int Staffed(int t, int d) const { return staffed_[StaffIndex(t, d)]; }

 private:
  // A spread and the integer sums it was formed from.
  struct SpreadEntry {
    long long sum = -1;
    long long sum_squares = -1;
    float spread = 0.0f;
  };
  // The last two spreads of a column: an exchange that is undone brings the sums
  // back to the entry before it.
  struct SpreadCache {
    std::array<SpreadEntry, 2> entries;
    int current = -1;  // the entry of the current sums, -1 when not looked up yet
    int last_used = 0;
  };

  void ReadValues(const ConditionModel& model, int m);
  // Column c of a member's values: c < types_ the duty type c + 1, c == types_ the
  // work days still missing to the target.
  void SetValue(int m, int c, int value);
  int Value(int m, int c) const {
    return values_[static_cast<std::size_t>((m - 1) * columns_ + c)];
  }
  int ColumnValue(const ConditionModel& model, int m, int c) const;
  float Spread(int c);
  float CurrentSpread(int c);
  // The spread of column c summed in single precision member by member, with
  // members a and b (0: none) taking the given values.
  float SummedSpread(int c, int a, int value_a, int b, int value_b) const;
  // The score from the column spreads and the penalty totals, in RosterScore's order.
  float Total(const std::vector<float>& spreads, int isolated, int single_work,
              int single_rest) const;
  // Member m's single days when, since the tally last read them, only day d changed.
  SingleDays SinglesAfter(const ConditionModel& model, int m, int d) const;
  std::uint64_t WorkBitsAfter(const ConditionModel& model, int m, int d) const;
  bool DayInBits(int d) const;
  // Re-reads member m's rest and work on day d after an exchange there.
  void ReadDay(const ConditionModel& model, int m, int d);
  void CountSingles(const ConditionModel& model, int m);
  void SetSingles(int m, int isolated, int single_work, int single_rest);
  // The wishes and the desired staffing.
  void ReadSoft(const ConditionModel& model);
  int& Code(int m, int d) { return codes_[static_cast<std::size_t>(m * (day_count_ + 2) + d)]; }
  std::size_t StaffIndex(int t, int d) const {
    return static_cast<std::size_t>(t * (day_count_ + 2) + d);
  }
  // Member m's code on day d becomes `code`: the wish moves, and with `staffing`
  // the day's staff (an exchange of two members leaves it as it was).
  void SetCode(int m, int d, int code, bool staffing);
  void CountStaff(int t, int d, int delta);
  // MonthObjective from the balance score and the soft sums.
  float Objective(float roster_score, int missed_wishes);

  int members_;
  int types_;
  int columns_;
  int day_count_;
  bool use_prev_month_;
  bool prevent_single_work_;
  bool work_focus_;
  // Months this short keep each member's work days as bits (day i at bit i) and
  // count the single days from them.
  bool day_bits_;
  std::vector<float> weights_;  // per column
  std::vector<int> values_;     // (member - 1) * columns_ + column
  std::vector<long long> sum_;
  std::vector<long long> sum_squares_;
  std::vector<SpreadCache> spreads_;
  std::vector<float> column_spreads_;     // working space of the score
  std::vector<std::uint64_t> work_bits_;  // per member
  std::vector<int> isolated_;
  std::vector<int> single_work_;
  std::vector<int> single_rest_;
  int isolated_total_ = 0;
  int single_work_total_ = 0;
  int single_rest_total_ = 0;

  const ExtraConditions* extra_ = nullptr;  // null: no wish or desired staffing set
  bool has_desired_ = false;
  std::vector<int> codes_;            // m * (DayCount + 2) + d, days 1..DayCount
  std::vector<int> staffed_;          // t * (DayCount + 2) + d
  std::vector<int> desired_missing_;  // per type: places missing over the month
  float desired_penalty_ = 0.0f;
  bool desired_stale_ = true;
  int missed_wishes_ = 0;
};

}  // namespace tsumiki

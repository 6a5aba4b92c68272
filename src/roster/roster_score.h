#pragma once

#include "conditions/condition_model.h"

namespace tsumiki {

// The two kinds of single-day runs the fairness measures count.
enum class RunKind {
  kWork,  // 勤務: a single work day between rest days
  kRest,  // 休み: a single rest day between work days
};

// The longest run that is always counted as a single run as well (a whole month
// of one kind), used by SingleDayTotal.
inline constexpr int kLongRunBound = 31;

// The fairness score of the roster, lower is better: the weighted sample standard
// deviations over the members of each duty type's count and of the work days still
// missing to the target, plus the optional single-day penalties. Single-precision
// arithmetic in a fixed order, so that the optimisation compares the same figures
// every time.
float RosterScore(const ConditionModel& model);

// Sample standard deviation of TypeTally column `column` over members 1..N, in
// single precision; 0 with fewer than two members.
float TallySpread(const ConditionModel& model, int column);

// The same spread from the single-precision sums of n values and of their squares.
float SpreadOfSums(int n, float sum, float sum_squares);

// Isolated work days of member m (rest, work, rest). Only run length 1 is
// counted; the last day of the month never counts, nor the first without the
// previous month's tail.
int CountIsolatedWorkDays(const ConditionModel& model, int m, int run_length);

// Runs of exactly `run_length` days (or kLongRunBound and more) of `kind` that end
// inside first..last, for member m. With the previous month in use the scan starts
// at day 0 (or earlier than `first` never), otherwise at day 1.
int MemberSingleDayCount(const ConditionModel& model, int m, RunKind kind, int run_length,
                         int first, int last, int long_run_bound);

// MemberSingleDayCount summed over all members with the long-run bound 31. A `last`
// of 0 means the whole month and is replaced by DayCount in the caller's variable.
int SingleDayTotal(const ConditionModel& model, RunKind kind, int run_length, int first, int& last);

// Length of the rest run containing day d, counting d itself as rest whatever it
// holds; continues into the previous month's tail when that is in use.
int OffRunAround(const ConditionModel& model, int m, int d);

// Work days still missing over all members that have a day-off count (target below
// DayCount); -1 as soon as one of them has more work days than the target. The
// passes aim for the targets: fewer work days, as far as 休日数の上限 allows, are
// the exact model's answer where the passes keep missing them.
int WorkDayShortfall(const ConditionModel& model);

// Work days missing below the fewest each member may work (LeastWorkDays); -1 as
// soon as a member has more work days than the target.
int ShortfallBelowFewest(const ConditionModel& model);

// Members holding duty t on day d.
int StaffOnDuty(const ConditionModel& model, int d, int t);

}  // namespace tsumiki

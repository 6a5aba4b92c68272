#include "roster/roster_score.h"

#include <algorithm>
#include <cmath>

namespace tsumiki {

float TallySpread(const ConditionModel& model, int column) {
  const int n = model.MemberCount;
  // The sample deviation needs two members; one member is as fair as it gets.
  if (n < 2) return 0.0f;
  float s2 = 0.0f;
  float s1 = 0.0f;
  for (int m = 1; m <= n; ++m) {
    const float x = static_cast<float>(model.TypeTally(m, column));
    s2 += x * x;
    s1 += x;
  }
  return SpreadOfSums(n, s1, s2);
}

float SpreadOfSums(int n, float sum, float sum_squares) {
  if (n < 2) return 0.0f;
  const float numerator = static_cast<float>(n) * sum_squares - sum * sum;
  // Formed in a wide integer: n * (n - 1) would overflow a 16-bit count long before
  // a workplace runs out of members.
  const long long pairs = static_cast<long long>(n) * static_cast<long long>(n - 1);
  const float variance = numerator / static_cast<float>(pairs);
  // Rounding may leave a tiny negative value for equal counts; the spread is then 0.
  if (!(variance > 0.0f)) return 0.0f;
  return std::sqrt(variance);
}

namespace {

// The spread of the work days still missing to each member's target, summed in
// the same order as TallySpread.
float MissingDaysSpread(const ConditionModel& model) {
  const int n = model.MemberCount;
  if (n < 2) return 0.0f;
  float s2 = 0.0f;
  float s1 = 0.0f;
  for (int m = 1; m <= n; ++m) {
    const float x = static_cast<float>(model.WorkDayTarget(m) - model.WorkDays(m));
    s2 += x * x;
    s1 += x;
  }
  return SpreadOfSums(n, s1, s2);
}

}  // namespace

float RosterScore(const ConditionModel& model) {
  const int n = model.MemberCount;
  float score = 0.0f;
  for (int t = 1; t <= model.TypeCount; ++t) {
    score += TallySpread(model, t) * model.OptimiseWeights(t);
  }
  score += MissingDaysSpread(model) * model.OptimiseWeights(kWeightCount);
  if (model.PreventSingleWork) {
    int isolated = 0;
    for (int m = 1; m <= n; ++m) isolated += CountIsolatedWorkDays(model, m, /*run_length=*/1);
    score += static_cast<float>(2 * isolated);
  }
  if (model.WorkFocus) {
    int last = model.DayCount;
    score += static_cast<float>(SingleDayTotal(model, RunKind::kWork, 1, 0, last));
    score += static_cast<float>(SingleDayTotal(model, RunKind::kRest, 1, 0, last));
  }
  return score;
}

int CountIsolatedWorkDays(const ConditionModel& model, int m, int /*run_length*/) {
  // Day 0 is a real neighbour only when the previous month's tail is loaded.
  const int first = model.UsePrevMonth ? 1 : 2;
  int count = 0;
  for (int i = first; i <= model.DayCount - 1; ++i) {
    if (model.Roster(m, i - 1) == 0 && model.Roster(m, i) != 0 && model.Roster(m, i + 1) == 0) {
      ++count;
    }
  }
  return count;
}

int MemberSingleDayCount(const ConditionModel& model, int m, RunKind kind, int run_length,
                         int first, int last, int long_run_bound) {
  enum class State { kNone, kWork, kRest };
  const int start = model.UsePrevMonth ? std::min(0, first) : 1;
  // Never read outside the roster's spare days, whatever the caller passes.
  const int from = std::max(start, model.Roster.ColLo());
  const int to = std::min(last, model.Roster.ColHi());
  State state = State::kNone;
  int n = 0;
  int single_work = 0;
  int single_rest = 0;
  auto counts = [&](int length) { return length == run_length || length >= long_run_bound; };
  for (int d = from; d <= to; ++d) {
    if (model.Roster(m, d) == 0) {
      if (state == State::kWork) {
        if (counts(n)) ++single_work;
        n = 1;
      } else {
        ++n;
      }
      state = State::kRest;
    } else {
      if (state == State::kRest) {
        if (counts(n)) ++single_rest;
        n = 1;
      } else {
        ++n;
      }
      state = State::kWork;
    }
  }
  return kind == RunKind::kRest ? single_rest : single_work;
}

int SingleDayTotal(const ConditionModel& model, RunKind kind, int run_length, int first,
                   int& last) {
  if (last == 0) last = model.DayCount;
  int total = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    total += MemberSingleDayCount(model, m, kind, run_length, first, last, kLongRunBound);
  }
  return total;
}

int OffRunAround(const ConditionModel& model, int m, int d) {
  int n = 0;
  for (int i = d + 1; i <= model.DayCount && model.Roster(m, i) == 0; ++i) ++n;
  int i = d - 1;
  for (; i >= 1 && model.Roster(m, i) == 0; --i) ++n;
  if (i <= 0 && model.UsePrevMonth) {
    for (int j = 1; j <= kPrevMonthDays && model.PrevMonthTail(m, j) < 1; ++j) ++n;
  }
  return n + 1;
}

namespace {

// Work days missing below needed(m) over all members; -1 as soon as a member has
// more work days than the target.
template <typename Needed>
int MissingWorkDays(const ConditionModel& model, Needed needed) {
  int total = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (model.WorkDays(m) > model.WorkDayTarget(m)) return -1;
    total += std::max(0, needed(m) - model.WorkDays(m));
  }
  return total;
}

}  // namespace

int WorkDayShortfall(const ConditionModel& model) {
  // A target equal to the month's length means no day-off count was set.
  return MissingWorkDays(model, [&](int m) {
    return model.WorkDayTarget(m) == model.DayCount ? 0 : model.WorkDayTarget(m);
  });
}

int ShortfallBelowFewest(const ConditionModel& model) {
  return MissingWorkDays(model, [&](int m) { return LeastWorkDays(model, m); });
}

int StaffOnDuty(const ConditionModel& model, int d, int t) {
  int staff = 0;
  for (int m = 1; m <= model.MemberCount; ++m) staff += model.Roster(m, d) == t ? 1 : 0;
  return staff;
}

}  // namespace tsumiki

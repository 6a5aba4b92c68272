#include "optimise/score_tally.h"

#include "optimise/roster_score.h"

namespace tsumiki {

namespace {

// Below this, every partial sum of the squares (and so of the values, each no
// larger in size than its square) is an integer that single precision holds
// exactly.
constexpr long long kExactFloatSum = 1LL << 24;

// Days 0..DayCount as bits of one word.
constexpr int kPatternDays = 64;

}  // namespace

ScoreTally::ScoreTally(const ConditionModel& model)
    : members_(model.MemberCount),
      types_(model.TypeCount),
      columns_(model.TypeCount + 1),
      day_count_(model.DayCount),
      prevent_single_work_(model.PreventSingleWork),
      work_focus_(model.WorkFocus),
      weights_(static_cast<std::size_t>(columns_)),
      values_(static_cast<std::size_t>(members_ * columns_), 0),
      sum_(static_cast<std::size_t>(columns_), 0),
      sum_squares_(static_cast<std::size_t>(columns_), 0),
      spread_(static_cast<std::size_t>(columns_), 0.0f),
      spread_stale_(static_cast<std::size_t>(columns_), 1),
      pattern_(static_cast<std::size_t>(members_ + 1), 0),
      isolated_(static_cast<std::size_t>(members_ + 1), 0),
      single_work_(static_cast<std::size_t>(members_ + 1), 0),
      single_rest_(static_cast<std::size_t>(members_ + 1), 0) {
  for (int t = 1; t <= types_; ++t) weights_[static_cast<std::size_t>(t - 1)] = model.OptimiseWeights(t);
  weights_[static_cast<std::size_t>(types_)] = model.OptimiseWeights(kWeightCount);
  for (int m = 1; m <= members_; ++m) {
    ReadValues(model, m);
    pattern_[static_cast<std::size_t>(m)] = WorkPattern(model, m);
    CountSingles(model, m);
  }
}

void ScoreTally::Refresh(const ConditionModel& model, int m) {
  ReadValues(model, m);
  if (!prevent_single_work_ && !work_focus_) return;
  // Most exchanges swap one duty for another and leave the rest days alone; only a
  // changed pattern of work and rest can change the single days.
  const std::uint64_t pattern = WorkPattern(model, m);
  if (day_count_ < kPatternDays && pattern == pattern_[static_cast<std::size_t>(m)]) return;
  pattern_[static_cast<std::size_t>(m)] = pattern;
  CountSingles(model, m);
}

float ScoreTally::Score() {
  float score = 0.0f;
  for (int c = 0; c <= types_; ++c) score += Spread(c) * weights_[static_cast<std::size_t>(c)];
  if (prevent_single_work_) score += static_cast<float>(2 * isolated_total_);
  if (work_focus_) {
    score += static_cast<float>(single_work_total_);
    score += static_cast<float>(single_rest_total_);
  }
  return score;
}

void ScoreTally::ReadValues(const ConditionModel& model, int m) {
  for (int t = 1; t <= types_; ++t) SetValue(m, t - 1, model.TypeTally(m, t));
  SetValue(m, types_, model.WorkDayTarget(m) - model.WorkDays(m));
}

void ScoreTally::SetValue(int m, int c, int value) {
  int& slot = values_[static_cast<std::size_t>((m - 1) * columns_ + c)];
  if (slot == value) return;
  const auto column = static_cast<std::size_t>(c);
  sum_[column] += value - slot;
  sum_squares_[column] +=
      static_cast<long long>(value) * value - static_cast<long long>(slot) * slot;
  spread_stale_[column] = 1;
  slot = value;
}

float ScoreTally::Spread(int c) {
  const auto column = static_cast<std::size_t>(c);
  if (!spread_stale_[column]) return spread_[column];
  float sum = static_cast<float>(sum_[column]);
  float sum_squares = static_cast<float>(sum_squares_[column]);
  if (sum_squares_[column] >= kExactFloatSum) {
    // Too large to be exact: add up in single precision in member order, as
    // RosterScore does.
    sum = 0.0f;
    sum_squares = 0.0f;
    for (int m = 1; m <= members_; ++m) {
      const float x = static_cast<float>(values_[static_cast<std::size_t>((m - 1) * columns_ + c)]);
      sum_squares += x * x;
      sum += x;
    }
  }
  spread_[column] = SpreadOfSums(members_, sum, sum_squares);
  spread_stale_[column] = 0;
  return spread_[column];
}

void ScoreTally::CountSingles(const ConditionModel& model, int m) {
  const auto i = static_cast<std::size_t>(m);
  isolated_total_ -= isolated_[i];
  single_work_total_ -= single_work_[i];
  single_rest_total_ -= single_rest_[i];
  isolated_[i] = prevent_single_work_ ? CountIsolatedWorkDays(model, m, 1) : 0;
  if (work_focus_) {
    single_work_[i] = MemberSingleDayCount(model, m, RunKind::kWork, 1, 0, day_count_, kLongRunBound);
    single_rest_[i] = MemberSingleDayCount(model, m, RunKind::kRest, 1, 0, day_count_, kLongRunBound);
  }
  isolated_total_ += isolated_[i];
  single_work_total_ += single_work_[i];
  single_rest_total_ += single_rest_[i];
}

std::uint64_t ScoreTally::WorkPattern(const ConditionModel& model, int m) const {
  std::uint64_t pattern = 0;
  const int last = day_count_ < kPatternDays ? day_count_ : kPatternDays - 1;
  for (int d = 0; d <= last; ++d) {
    if (model.Roster(m, d) != 0) pattern |= std::uint64_t{1} << d;
  }
  return pattern;
}

}  // namespace tsumiki

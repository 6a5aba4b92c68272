#include "optimise/score_tally.h"

#include <array>
#include <bit>

#include "roster/month_objective.h"
#include "roster/roster_score.h"

namespace tsumiki {

namespace {

// Below this, every partial sum of the squares (and so of the values, each no
// larger in size than its square) is an integer that single precision holds
// exactly.
constexpr long long kExactFloatSum = 1LL << 24;

// The longest month whose days 0..DayCount are counted as bits; in it only the run
// that opens the scan can reach kLongRunBound days.
constexpr int kBitMonthDays = 31;

// Bits lo..hi; none when hi < lo.
std::uint64_t DayBits(int lo, int hi) {
  if (hi < lo) return 0;
  return (~std::uint64_t{0} >> (63 - hi)) & (~std::uint64_t{0} << lo);
}

// CountIsolatedWorkDays (when `isolated`) and MemberSingleDayCount of both kinds
// (when `runs`; run length 1, the long-run bound, the whole month) of a member
// whose work days are the bits of `work`.
SingleDays CountSingleDays(std::uint64_t work, int day_count, bool use_prev_month, bool isolated,
                           bool runs) {
  const std::uint64_t before = work << 1;  // bit i: work on day i - 1
  const std::uint64_t after = work >> 1;   // bit i: work on day i + 1
  SingleDays s;
  if (isolated) {
    s.isolated =
        std::popcount(work & ~before & ~after & DayBits(use_prev_month ? 1 : 2, day_count - 1));
  }
  if (!runs) return s;
  // A run is counted on its last day, when the next day inside the scan is of the
  // other kind; the scan's first day opens a run whatever came before it.
  const int from = use_prev_month ? 0 : 1;
  const std::uint64_t ends = DayBits(from, day_count - 1);
  const std::uint64_t opens = std::uint64_t{1} << from;
  s.work = std::popcount(work & ~after & (~before | opens) & ends);
  s.rest = std::popcount(~work & after & (before | opens) & ends);
  const std::uint64_t scanned = work >> from;
  const bool first_works = (scanned & 1) != 0;
  const int length = first_works ? std::countr_one(scanned) : std::countr_zero(scanned);
  if (length >= kLongRunBound && from + length <= day_count) ++(first_works ? s.work : s.rest);
  return s;
}

}  // namespace

ScoreTally::ScoreTally(const ConditionModel& model)
    : members_(model.MemberCount),
      types_(model.TypeCount),
      columns_(model.TypeCount + 1),
      day_count_(model.DayCount),
      use_prev_month_(model.UsePrevMonth),
      prevent_single_work_(model.PreventSingleWork),
      work_focus_(model.WorkFocus),
      day_bits_(model.DayCount <= kBitMonthDays),
      weights_(static_cast<std::size_t>(columns_)),
      values_(static_cast<std::size_t>(members_ * columns_), 0),
      sum_(static_cast<std::size_t>(columns_), 0),
      sum_squares_(static_cast<std::size_t>(columns_), 0),
      spreads_(static_cast<std::size_t>(columns_)),
      column_spreads_(static_cast<std::size_t>(columns_), 0.0f),
      work_bits_(static_cast<std::size_t>(members_ + 1), 0),
      isolated_(static_cast<std::size_t>(members_ + 1), 0),
      single_work_(static_cast<std::size_t>(members_ + 1), 0),
      single_rest_(static_cast<std::size_t>(members_ + 1), 0) {
  for (int t = 1; t <= types_; ++t) {
    weights_[static_cast<std::size_t>(t - 1)] = model.OptimiseWeights(t);
  }
  weights_[static_cast<std::size_t>(types_)] = model.OptimiseWeights(kWeightCount);
  for (int m = 1; m <= members_; ++m) Refresh(model, m);
  if (model.Extra.HasSoft) ReadSoft(model);
}

void ScoreTally::Swapped(const ConditionModel& model, int a, int b, int d) {
  const int code_a = model.Roster(a, d);
  const int code_b = model.Roster(b, d);
  if (extra_ != nullptr && d >= 1 && d <= day_count_) {
    // The day's staffing stays: only the two wishes can change.
    SetCode(a, d, code_a, /*staffing=*/false);
    SetCode(b, d, code_b, /*staffing=*/false);
  }
  // An exchange moves only the two codes' duty counts and the work days.
  for (const int m : {a, b}) {
    for (const int code : {code_a, code_b}) {
      if (code >= 1 && code <= types_) SetValue(m, code - 1, model.TypeTally(m, code));
    }
    SetValue(m, types_, model.WorkDayTarget(m) - model.WorkDays(m));
  }
  // Two duties exchanged leave rest and work where they were.
  if ((code_a == 0) == (code_b == 0)) return;
  if (!prevent_single_work_ && !work_focus_) return;
  ReadDay(model, a, d);
  ReadDay(model, b, d);
}

void ScoreTally::Refresh(const ConditionModel& model, int m) {
  ReadValues(model, m);
  if (prevent_single_work_ || work_focus_) CountSingles(model, m);
  if (extra_ == nullptr) return;
  for (int d = 1; d <= day_count_; ++d) SetCode(m, d, model.Roster(m, d), /*staffing=*/true);
}

float ScoreTally::Score() {
  for (int c = 0; c <= types_; ++c) column_spreads_[static_cast<std::size_t>(c)] = CurrentSpread(c);
  return Objective(Total(column_spreads_, isolated_total_, single_work_total_, single_rest_total_),
                   missed_wishes_);
}

float ScoreTally::ScoreAfterSwap(const ConditionModel& model, int a, int b, int d) {
  for (int c = 0; c <= types_; ++c) column_spreads_[static_cast<std::size_t>(c)] = CurrentSpread(c);
  const int code_a = model.Roster(a, d);
  const int code_b = model.Roster(b, d);
  std::array<int, 3> touched{};
  int count = 0;
  for (const int code : {code_a, code_b}) {
    if (code >= 1 && code <= types_ && (count == 0 || touched[0] != code - 1)) {
      touched[static_cast<std::size_t>(count++)] = code - 1;
    }
  }
  touched[static_cast<std::size_t>(count++)] = types_;
  for (int k = 0; k < count; ++k) {
    const int c = touched[static_cast<std::size_t>(k)];
    const int new_a = ColumnValue(model, a, c);
    const int new_b = ColumnValue(model, b, c);
    const long long old_a = Value(a, c);
    const long long old_b = Value(b, c);
    const long long sum = sum_[static_cast<std::size_t>(c)] + (new_a - old_a) + (new_b - old_b);
    const long long sum_squares = sum_squares_[static_cast<std::size_t>(c)] +
                                  static_cast<long long>(new_a) * new_a - old_a * old_a +
                                  static_cast<long long>(new_b) * new_b - old_b * old_b;
    column_spreads_[static_cast<std::size_t>(c)] =
        sum_squares < kExactFloatSum
            ? SpreadOfSums(members_, static_cast<float>(sum), static_cast<float>(sum_squares))
            : SummedSpread(c, a, new_a, b, new_b);
  }
  int isolated = isolated_total_;
  int single_work = single_work_total_;
  int single_rest = single_rest_total_;
  if ((prevent_single_work_ || work_focus_) && (code_a == 0) != (code_b == 0)) {
    for (const int m : {a, b}) {
      const SingleDays s = SinglesAfter(model, m, d);
      const auto i = static_cast<std::size_t>(m);
      isolated += s.isolated - isolated_[i];
      single_work += s.work - single_work_[i];
      single_rest += s.rest - single_rest_[i];
    }
  }
  int missed_wishes = missed_wishes_;
  if (extra_ != nullptr && d >= 1 && d <= day_count_) {
    for (const int m : {a, b}) {
      missed_wishes +=
          MissedWeight(*extra_, m, d, model.Roster(m, d)) - MissedWeight(*extra_, m, d, Code(m, d));
    }
  }
  return Objective(Total(column_spreads_, isolated, single_work, single_rest), missed_wishes);
}

void ScoreTally::ReadSoft(const ConditionModel& model) {
  extra_ = &model.Extra;
  for (int t = 1; t <= types_; ++t) {
    if (extra_->DesiredWeight(t) == 0.0f) continue;
    for (int d = 1; d <= day_count_; ++d)
      has_desired_ = has_desired_ || extra_->DesiredStaff(t, d) > 0;
  }
  codes_.assign(static_cast<std::size_t>((members_ + 2) * (day_count_ + 2)), kRestDay);
  staffed_.assign(static_cast<std::size_t>((types_ + 2) * (day_count_ + 2)), 0);
  desired_missing_.assign(static_cast<std::size_t>(types_ + 1), 0);
  // From a roster of rest days every desired place is missing; reading each
  // member's codes then moves the figures as any later change does.
  if (has_desired_) {
    for (int t = 1; t <= types_; ++t) {
      for (int d = 1; d <= day_count_; ++d) {
        desired_missing_[static_cast<std::size_t>(t)] += DesiredMissing(*extra_, t, d, 0);
      }
    }
  }
  for (int m = 1; m <= members_; ++m) {
    for (int d = 1; d <= day_count_; ++d) {
      missed_wishes_ += MissedWeight(*extra_, m, d, kRestDay);
      SetCode(m, d, model.Roster(m, d), /*staffing=*/true);
    }
  }
}

void ScoreTally::SetCode(int m, int d, int code, bool staffing) {
  int& held = Code(m, d);
  if (held == code) return;
  missed_wishes_ += MissedWeight(*extra_, m, d, code) - MissedWeight(*extra_, m, d, held);
  if (staffing && has_desired_) {
    CountStaff(held, d, -1);
    CountStaff(code, d, 1);
  }
  held = code;
}

void ScoreTally::CountStaff(int t, int d, int delta) {
  if (t < 1 || t > types_) return;
  int& staffed = staffed_[StaffIndex(t, d)];
  const int before = DesiredMissing(*extra_, t, d, staffed);
  staffed += delta;
  const int after = DesiredMissing(*extra_, t, d, staffed);
  if (after == before) return;
  desired_missing_[static_cast<std::size_t>(t)] += after - before;
  desired_stale_ = true;
}

float ScoreTally::Objective(float roster_score, int missed_wishes) {
  if (extra_ == nullptr) return roster_score;
  if (desired_stale_) {
    desired_penalty_ = DesiredPenalty(
        *extra_, types_, [this](int t) { return desired_missing_[static_cast<std::size_t>(t)]; });
    desired_stale_ = false;
  }
  return CombineObjective(*extra_, roster_score, desired_penalty_, missed_wishes);
}

float ScoreTally::Total(const std::vector<float>& spreads, int isolated, int single_work,
                        int single_rest) const {
  float score = 0.0f;
  for (int c = 0; c <= types_; ++c) {
    score += spreads[static_cast<std::size_t>(c)] * weights_[static_cast<std::size_t>(c)];
  }
  if (prevent_single_work_) score += static_cast<float>(2 * isolated);
  if (work_focus_) {
    score += static_cast<float>(single_work);
    score += static_cast<float>(single_rest);
  }
  return score;
}

int ScoreTally::ColumnValue(const ConditionModel& model, int m, int c) const {
  if (c < types_) return model.TypeTally(m, c + 1);
  return model.WorkDayTarget(m) - model.WorkDays(m);
}

float ScoreTally::CurrentSpread(int c) {
  const SpreadCache& cache = spreads_[static_cast<std::size_t>(c)];
  if (cache.current >= 0) return cache.entries[static_cast<std::size_t>(cache.current)].spread;
  return Spread(c);
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
  spreads_[column].current = -1;
  slot = value;
}

float ScoreTally::Spread(int c) {
  SpreadCache& cache = spreads_[static_cast<std::size_t>(c)];
  if (cache.current >= 0) return cache.entries[static_cast<std::size_t>(cache.current)].spread;
  const long long sum = sum_[static_cast<std::size_t>(c)];
  const long long sum_squares = sum_squares_[static_cast<std::size_t>(c)];
  if (sum_squares >= kExactFloatSum) return SummedSpread(c, 0, 0, 0, 0);
  for (int e = 0; e < 2; ++e) {
    const SpreadEntry& entry = cache.entries[static_cast<std::size_t>(e)];
    if (entry.sum == sum && entry.sum_squares == sum_squares) {
      cache.current = cache.last_used = e;
      return entry.spread;
    }
  }
  const int e = 1 - cache.last_used;
  cache.entries[static_cast<std::size_t>(e)] = {
      sum, sum_squares,
      SpreadOfSums(members_, static_cast<float>(sum), static_cast<float>(sum_squares))};
  cache.current = cache.last_used = e;
  return cache.entries[static_cast<std::size_t>(e)].spread;
}

float ScoreTally::SummedSpread(int c, int a, int value_a, int b, int value_b) const {
  // Too large to be exact: added up in single precision in member order, as
  // RosterScore does.
  float sum = 0.0f;
  float sum_squares = 0.0f;
  for (int m = 1; m <= members_; ++m) {
    const int value = m == a ? value_a : (m == b ? value_b : Value(m, c));
    const float x = static_cast<float>(value);
    sum_squares += x * x;
    sum += x;
  }
  return SpreadOfSums(members_, sum, sum_squares);
}

bool ScoreTally::DayInBits(int d) const {
  return day_bits_ && d >= 0 && d <= day_count_;
}

std::uint64_t ScoreTally::WorkBitsAfter(const ConditionModel& model, int m, int d) const {
  const std::uint64_t work = work_bits_[static_cast<std::size_t>(m)];
  const std::uint64_t bit = std::uint64_t{1} << d;
  return model.Roster(m, d) != 0 ? (work | bit) : (work & ~bit);
}

SingleDays ScoreTally::SinglesAfter(const ConditionModel& model, int m, int d) const {
  if (DayInBits(d)) {
    return CountSingleDays(WorkBitsAfter(model, m, d), day_count_, use_prev_month_,
                           prevent_single_work_, work_focus_);
  }
  SingleDays s;
  if (prevent_single_work_) s.isolated = CountIsolatedWorkDays(model, m, /*run_length=*/1);
  if (work_focus_) {
    s.work = MemberSingleDayCount(model, m, RunKind::kWork, /*run_length=*/1, /*first=*/0,
                                  day_count_, kLongRunBound);
    s.rest = MemberSingleDayCount(model, m, RunKind::kRest, /*run_length=*/1, /*first=*/0,
                                  day_count_, kLongRunBound);
  }
  return s;
}

void ScoreTally::ReadDay(const ConditionModel& model, int m, int d) {
  const SingleDays s = SinglesAfter(model, m, d);
  if (DayInBits(d)) work_bits_[static_cast<std::size_t>(m)] = WorkBitsAfter(model, m, d);
  SetSingles(m, s.isolated, s.work, s.rest);
}

void ScoreTally::CountSingles(const ConditionModel& model, int m) {
  if (day_bits_) {
    std::uint64_t work = 0;
    for (int d = 0; d <= day_count_; ++d) {
      if (model.Roster(m, d) != 0) work |= std::uint64_t{1} << d;
    }
    work_bits_[static_cast<std::size_t>(m)] = work;
    const SingleDays s =
        CountSingleDays(work, day_count_, use_prev_month_, prevent_single_work_, work_focus_);
    SetSingles(m, s.isolated, s.work, s.rest);
    return;
  }
  SetSingles(m, CountIsolatedWorkDays(model, m, /*run_length=*/1),
             MemberSingleDayCount(model, m, RunKind::kWork, /*run_length=*/1, /*first=*/0,
                                  day_count_, kLongRunBound),
             MemberSingleDayCount(model, m, RunKind::kRest, /*run_length=*/1, /*first=*/0,
                                  day_count_, kLongRunBound));
}

void ScoreTally::SetSingles(int m, int isolated, int single_work, int single_rest) {
  const auto i = static_cast<std::size_t>(m);
  // Only the penalties in use count, as in RosterScore.
  if (!prevent_single_work_) isolated = 0;
  if (!work_focus_) single_work = single_rest = 0;
  isolated_total_ += isolated - isolated_[i];
  single_work_total_ += single_work - single_work_[i];
  single_rest_total_ += single_rest - single_rest_[i];
  isolated_[i] = isolated;
  single_work_[i] = single_work;
  single_rest_[i] = single_rest;
}

}  // namespace tsumiki

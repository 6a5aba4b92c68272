// The pre-check of the counts per duty, the weekends worked and the shortest runs:
// limits that together with the days no pass changes leave no month at all.
#include <algorithm>
#include <bitset>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "conditions/layout.h"
#include "creation/feasibility_detail.h"
#include "roster/refusal_texts.h"

namespace tsumiki::feasibility {
namespace {

namespace txt = refusal_text;
using layout::Format;

std::string N(int value) {
  return std::to_string(value);
}

// A target of the whole month means no days off were set: it bounds nothing.
bool HasTarget(const ConditionModel& model, int m) {
  return model.WorkDayTarget(m) < model.DayCount;
}

// How often member m holds duty t as the pre-check sees the month: the days before
// StartDay and the reservations.
int GivenCount(const ConditionModel& model, int m, int t) {
  int count = 0;
  for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) == t ? 1 : 0;
  return count;
}

std::string CountCells(const ConditionModel& model, const ExtraConditions::AreaPlace& place,
                       const layout::NameSpec& area, int m) {
  return AreaCellLabel(place, area.name, m, 1, model.TypeCount);
}

// --- Counts per duty -------------------------------------------------------------

std::optional<std::string> LeastSumProblem(const ConditionModel& model, int m) {
  const ExtraConditions& x = model.Extra;
  int least = 0;
  for (int t = 1; t <= model.TypeCount; ++t) least += std::max(0, x.DutyLeast(m, t));
  if (least == 0) return std::nullopt;
  const std::string cells = CountCells(model, x.DutyLeastPlace, layout::kDutyLeast, m);
  if (HasTarget(model, m) && least > model.WorkDayTarget(m)) {
    return Format(txt::kLeastSumOverTarget, {model.MemberInfo(m, 1), model.MemberInfo(m, 2),
                                             N(least), cells, N(model.WorkDayTarget(m))});
  }
  const int most = MostWorkDays(model, m);
  if (least <= most) return std::nullopt;
  return Format(txt::kLeastSumOverDays,
                {model.MemberInfo(m, 1), model.MemberInfo(m, 2), N(least), cells, N(most)});
}

int DaysMayTake(const ConditionModel& model, int m, int t) {
  int days = 0;
  for (int d = 1; d <= model.DayCount; ++d) {
    if (d < model.StartDay ? model.Roster(m, d) == t : MayTake(model, m, d, t)) ++days;
  }
  return days;
}

std::optional<std::string> DutyCountProblem(const ConditionModel& model, int m, int t) {
  const ExtraConditions& x = model.Extra;
  const std::string abbrev = model.TypeAbbrev(t);
  if (x.DutyMost(m, t) != kNoLimit && GivenCount(model, m, t) > x.DutyMost(m, t)) {
    return Format(
        txt::kGivenOverMost,
        {model.MemberInfo(m, 1), model.MemberInfo(m, 2), abbrev, N(GivenCount(model, m, t)),
         N(x.DutyMost(m, t)), AreaCellLabel(x.DutyMostPlace, layout::kDutyMost.name, m, t)});
  }
  if (x.DutyLeast(m, t) <= 0) return std::nullopt;
  const int able = DaysMayTake(model, m, t);
  if (able >= x.DutyLeast(m, t)) return std::nullopt;
  return Format(txt::kLeastOverAbleDays,
                {model.MemberInfo(m, 1), model.MemberInfo(m, 2), abbrev, N(x.DutyLeast(m, t)),
                 AreaCellLabel(x.DutyLeastPlace, layout::kDutyLeast.name, m, t), N(able)});
}

// Only with the work-day adjustment must a member reach the target; without it a
// short member is the planner's to keep.
std::optional<std::string> MostSumProblem(const ConditionModel& model, int m) {
  const ExtraConditions& x = model.Extra;
  if (!model.WorkDayAdjust) return std::nullopt;
  int most = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (x.DutyMost(m, t) == kNoLimit) return std::nullopt;
    most += x.DutyMost(m, t);
  }
  if (most >= LeastWorkDays(model, m)) return std::nullopt;
  return Format(txt::kMostSumBelowTarget, {model.MemberInfo(m, 1), model.MemberInfo(m, 2), N(most),
                                           CountCells(model, x.DutyMostPlace, layout::kDutyMost, m),
                                           N(LeastWorkDays(model, m))});
}

// "スケジュール!C5:C24": column t of an area over every member.
std::string ColumnCells(const ConditionModel& model, const ExtraConditions::AreaPlace& place,
                        const layout::NameSpec& area, int t) {
  const std::string first = AreaCellLabel(place, area.name, 1, t);
  const std::string last = AreaCellLabel(place, area.name, model.MemberCount, t);
  const std::size_t bang = last.find('!');
  return bang == std::string::npos ? first : first + ":" + last.substr(bang + 1);
}

// Each day's staff of duty t is distinct members, each within their most count.
std::optional<std::string> DutyStaffProblem(const ConditionModel& model, int t) {
  const ExtraConditions& x = model.Extra;
  int needed = 0;
  for (int d = model.StartDay; d <= model.DayCount; ++d)
    needed += std::max(0, model.NeedTable(t, d));
  int capacity = 0;
  bool limited = false;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int able = DaysMayTake(model, m, t);
    limited |= x.DutyMost(m, t) != kNoLimit && x.DutyMost(m, t) < able;
    capacity += x.DutyMost(m, t) == kNoLimit ? able : std::min(x.DutyMost(m, t), able);
  }
  if (!limited || needed <= capacity) return std::nullopt;
  return Format(txt::kDutyMostShortfall, {model.TypeAbbrev(t), N(needed),
                                          ColumnCells(model, x.DutyMostPlace, layout::kDutyMost, t),
                                          N(capacity), N(needed - capacity)});
}

std::optional<std::string> CountProblem(const ConditionModel& model) {
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (auto problem = DutyStaffProblem(model, t)) return problem;
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (auto problem = DutyCountProblem(model, m, t)) return problem;
    }
    if (auto problem = LeastSumProblem(model, m)) return problem;
    if (auto problem = MostSumProblem(model, m)) return problem;
  }
  return std::nullopt;
}

// --- Weekends --------------------------------------------------------------------

// The weekends member m could work at all from StartDay on.
int WeekendsAble(const ConditionModel& model, int m) {
  const ExtraConditions& x = model.Extra;
  int able = 0;
  int counted = 0;
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    if (x.WeekendOf(d) == 0 || x.WeekendOf(d) == counted || !CouldWork(model, m, d)) continue;
    counted = x.WeekendOf(d);
    ++able;
  }
  return able;
}

// Each weekend needs at least as many members as its busiest day, and each of them
// spends one of their weekends on it.
int WeekendStaffNeeded(const ConditionModel& model) {
  std::vector<int> busiest(static_cast<std::size_t>(model.Extra.WeekendCount) + 1);
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    const int w = model.Extra.WeekendOf(d);
    if (w == 0) continue;
    int need = 0;
    for (int t = 1; t <= model.TypeCount; ++t) need += std::max(0, model.NeedTable(t, d));
    busiest[static_cast<std::size_t>(w)] = std::max(busiest[static_cast<std::size_t>(w)], need);
  }
  int sum = 0;
  for (const int need : busiest) sum += need;
  return sum;
}

std::optional<std::string> WeekendProblem(const ConditionModel& model) {
  const ExtraConditions& x = model.Extra;
  int capacity = 0;
  std::string lines;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int able = WeekendsAble(model, m);
    const int limit = x.WeekendsMost(m);
    capacity += limit == kNoLimit ? able : std::min(limit, able);
    if (limit == kNoLimit || limit >= able) continue;
    lines += "\n" + Format(txt::kMemberLine,
                           {model.MemberInfo(m, 1), model.MemberInfo(m, 2),
                            Format(txt::kWeekendLimitOf,
                                   {N(limit), AreaCellLabel(x.WeekendsPlace,
                                                            layout::kWeekendsMost.name, m, 1)})});
  }
  if (lines.empty()) return std::nullopt;  // no limit below what the members could work
  const int needed = WeekendStaffNeeded(model);
  if (needed <= capacity) return std::nullopt;
  return Format(txt::kWeekendShortfall, {N(needed), N(capacity), N(needed - capacity)}) + lines;
}

// --- Shortest runs ----------------------------------------------------------------

// Work counts 0..kCountable - 1 are followed; longer periods are not judged.
constexpr int kCountable = 512;
using WorkCounts = std::bitset<kCountable>;

// One state of laying out member m's month day by day: the kind and length of the
// run that the last day ends, and whether that run is judged (one that opens the
// period without the previous month may have begun before it).
struct RunState {
  bool work = false;
  int length = 0;
  bool judged = false;
};

class RunLayout {
 public:
  RunLayout(const ConditionModel& model, int m, bool with_runs)
      : model_(model),
        m_(m),
        rest_least_(with_runs ? model.Extra.RestRunLeast(m) : 0),
        work_least_(with_runs ? model.Extra.WorkRunLeast(m) : 0),
        longest_(LongestWorkRun(model, m)),
        cap_(std::max({rest_least_, work_least_, longest_}) + 1) {}

  // Whether some layout keeps the runs, 連続勤務上限 and the fixed days and works
  // a number of days the target allows.
  bool Fits() {
    Start();
    for (int d = 1; d <= model_.DayCount; ++d) Step(d);
    WorkCounts reached;
    for (const WorkCounts& counts : states_) reached |= counts;
    const int target = model_.WorkDayTarget(m_);
    const int least = model_.WorkDayAdjust ? LeastWorkDays(model_, m_) : 0;
    for (int w = least; w <= std::min(target, kCountable - 1); ++w) {
      if (reached[static_cast<std::size_t>(w)]) return true;
    }
    return false;
  }

 private:
  std::size_t Index(const RunState& s) const {
    return static_cast<std::size_t>(((s.work ? 1 : 0) * (cap_ + 1) + s.length) * 2 +
                                    (s.judged ? 1 : 0));
  }

  void Start() {
    states_.assign(Index(RunState{true, cap_, true}) + 1, WorkCounts{});
    if (!model_.UsePrevMonth) return;  // day 1 opens an unjudged run
    const bool work = model_.PrevMonthTail(m_, 1) >= 1;
    int length = 1;
    while (length < kPrevMonthDays && (model_.PrevMonthTail(m_, length + 1) >= 1) == work) ++length;
    states_[Index(RunState{work, std::min(length, cap_), true})].set(0);
  }

  // Which kinds day d allows: given before StartDay, a reservation, a day the
  // member can take no duty, or either.
  bool Allows(int d, bool work) const {
    const bool duty = IsDutyType(model_, model_.Roster(m_, d));
    if (d < model_.StartDay || duty) return duty == work;
    return !work || CouldWork(model_, m_, d);
  }

  void Step(int d) {
    std::vector<WorkCounts> next(states_.size());
    for (const bool work : {false, true}) {
      if (!Allows(d, work)) continue;
      if (!model_.UsePrevMonth && d == 1) {
        next[Index(RunState{work, 1, false})] |= Shift(WorkCounts{}.set(0), work);
        continue;
      }
      for (std::size_t i = 0; i < states_.size(); ++i) {
        if (states_[i].none()) continue;
        if (const auto to = Next(StateOf(i), d, work)) next[Index(*to)] |= Shift(states_[i], work);
      }
    }
    states_ = std::move(next);
  }

  RunState StateOf(std::size_t i) const {
    const int index = static_cast<int>(i);
    return RunState{index / 2 / (cap_ + 1) == 1, index / 2 % (cap_ + 1), index % 2 == 1};
  }

  // The state after day d of kind `work`, none when a rule refuses it. Runs that lie
  // wholly in the given days are not judged: no pass can change them.
  std::optional<RunState> Next(const RunState& s, int d, bool work) const {
    const bool open = d >= model_.StartDay;
    if (s.work == work) {
      const int length = s.length + 1;
      if (work && open && longest_ > 0 && length > longest_) return {};
      return RunState{work, std::min(length, cap_), s.judged};
    }
    const int least = s.work ? work_least_ : rest_least_;
    if (open && s.judged && s.length < least) return {};
    return RunState{work, 1, true};
  }

  static WorkCounts Shift(const WorkCounts& counts, bool work) {
    return work ? counts << 1 : counts;
  }

  const ConditionModel& model_;
  const int m_;
  const int rest_least_;
  const int work_least_;
  const int longest_;
  const int cap_;
  std::vector<WorkCounts> states_;
};

std::string RunParts(const ConditionModel& model, int m) {
  const ExtraConditions& x = model.Extra;
  std::string parts;
  if (x.RestRunLeast(m) >= 2) {
    parts += Format(
        txt::kRestRunPart,
        {N(x.RestRunLeast(m)), AreaCellLabel(x.RestRunPlace, layout::kRestRunLeast.name, m, 1)});
  }
  if (x.WorkRunLeast(m) >= 2) {
    if (!parts.empty()) parts += txt::kDutyJoiner;
    parts += Format(
        txt::kWorkRunPart,
        {N(x.WorkRunLeast(m)), AreaCellLabel(x.WorkRunPlace, layout::kWorkRunLeast.name, m, 1)});
  }
  return parts;
}

// Told only when the runs are what leaves no layout: without them the member's
// month fits (a month that does not fit at all is another check's to explain).
std::optional<std::string> RunProblem(const ConditionModel& model) {
  if (model.DayCount >= kCountable) return std::nullopt;
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (model.Extra.RestRunLeast(m) < 2 && model.Extra.WorkRunLeast(m) < 2) continue;
    if (RunLayout(model, m, true).Fits() || !RunLayout(model, m, false).Fits()) continue;
    return Format(txt::kRunsCannotFit,
                  {model.MemberInfo(m, 1), model.MemberInfo(m, 2), RunParts(model, m),
                   N(model.DayCount), N(LeastWorkDays(model, m))});
  }
  return std::nullopt;
}

// How many weekends member m works on the days as they stand, and whether the
// weekend of day d is among them.
std::pair<int, bool> WeekendsGiven(const ConditionModel& model, int m, int d) {
  const ExtraConditions& x = model.Extra;
  int worked = 0;
  int counted = 0;
  bool this_one = false;
  for (int e = 1; e <= model.DayCount; ++e) {
    const int w = x.WeekendOf(e);
    if (w == 0 || w == counted || !IsDutyType(model, model.Roster(m, e))) continue;
    counted = w;
    ++worked;
    this_one |= w == x.WeekendOf(d);
  }
  return {worked, this_one};
}

}  // namespace

bool ExtraLimitBars(const ConditionModel& model, int m, int d, int t) {
  const ExtraConditions& x = model.Extra;
  if (!x.HasHard || model.Roster(m, d) == t) return false;
  if (x.DutyMost(m, t) != kNoLimit && GivenCount(model, m, t) >= x.DutyMost(m, t)) return true;
  if (x.WeekendsMost(m) == kNoLimit || x.WeekendOf(d) == 0) return false;
  const auto [worked, this_one] = WeekendsGiven(model, m, d);
  return !this_one && worked >= x.WeekendsMost(m);
}

std::optional<std::string> ExtraLimitProblem(const ConditionModel& model) {
  if (!model.Extra.HasHard) return std::nullopt;
  if (auto problem = CountProblem(model)) return problem;
  if (auto problem = WeekendProblem(model)) return problem;
  return RunProblem(model);
}

}  // namespace tsumiki::feasibility

#include "exact/month_mend.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "exact/cbc_solve.h"
#include "exact/exact_model.h"
#include "exact/member_search.h"

namespace tsumiki::exact {

namespace {

using Clock = std::chrono::steady_clock;

// The slack is whole people-days: below half a day there is none.
constexpr double kNoSlack = 0.5;
// One group's solve, per member in it: a member alone or a pair settles in a
// few hundredths of a second, a larger group takes longer.
constexpr double kSecondsPerMember = 0.1;
// Partners beside the member mended at most: a breach no group of eight mends
// is left to the next round's draw.
constexpr int kMostPartners = 7;

// The roster's month in `exact`'s columns, those beside the cells (slack, a
// desired staff short, a wish missed) solved with every cell held; none where a
// cell has no column or the month breaks a row that nothing beside the cells
// can settle.
std::optional<SolveResult> RosterMonth(const ConditionModel& model, const ExactModel& exact,
                                       const SolveLimits& limits) {
  SolveResult month;
  month.values.assign(exact.lp.Columns().size(), 0.0);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
      const int duty = model.Roster(m, d);
      if (duty == kRestDay) continue;
      const int column = exact.cells->Column(m, d, duty);
      if (column < 0) return std::nullopt;
      month.values[static_cast<std::size_t>(column)] = 1.0;
    }
  }
  // Any solution is better than none: the first solve sets the objective.
  month.objective = std::numeric_limits<double>::infinity();
  if (!BetterForGroup(exact.lp, CellColumns(*exact.cells), {}, month, limits)) return std::nullopt;
  return month;
}

// The members with slack of their own (work days off the target, an optional
// limit broken); every member where only days or combinations are short.
std::vector<int> MembersToMend(const ExactModel& relaxed, const std::vector<double>& values) {
  auto slack = [&](int column) { return column >= 0 && values[static_cast<std::size_t>(column)] > kNoSlack; };
  std::vector<int> members;
  for (const TargetSlack& target : relaxed.target_slack) {
    if (slack(target.fewer_column) || slack(target.more_column)) members.push_back(target.member);
  }
  for (const ExtraSlack& extra : relaxed.extra_slack) {
    if (slack(extra.column)) members.push_back(extra.member);
  }
  std::sort(members.begin(), members.end());
  members.erase(std::unique(members.begin(), members.end()), members.end());
  if (members.empty()) {
    members.resize(static_cast<std::size_t>(relaxed.cells->MemberCount()));
    std::iota(members.begin(), members.end(), 1);
  }
  return members;
}

// Each member's cells and slack of its own.
MemberColumns OwnColumns(const ExactModel& relaxed) {
  MemberColumns columns = CellColumns(*relaxed.cells);
  for (const TargetSlack& target : relaxed.target_slack) {
    std::vector<int>& own = columns[static_cast<std::size_t>(target.member)];
    own.push_back(target.fewer_column);
    own.push_back(target.more_column);
  }
  for (const ExtraSlack& extra : relaxed.extra_slack) {
    columns[static_cast<std::size_t>(extra.member)].push_back(extra.column);
  }
  return columns;
}

// `member` and `partners` others drawn from the rest.
std::vector<int> GroupAround(int member, int partners, int members, std::mt19937& draw) {
  std::vector<int> group{member};
  std::uniform_int_distribution<int> any(1, members);
  while (static_cast<int>(group.size()) <= partners) {
    const int other = any(draw);
    if (std::find(group.begin(), group.end(), other) == group.end()) group.push_back(other);
  }
  return group;
}

}  // namespace

std::optional<IndexGrid<int>> MendByMembers(const ConditionModel& model, double seconds,
                                            const std::atomic<bool>* stop) {
  const Clock::time_point start = Clock::now();
  auto left = [&] { return seconds - std::chrono::duration<double>(Clock::now() - start).count(); };
  auto limits = [&](double most) {
    SolveLimits limits{std::min(most, left()), stop, true};
    limits.deadline = DeadlineAfter(start, seconds);
    return limits;
  };
  const ExactModel relaxed = BuildExactModel(model, ModelKind::kRelaxation);
  const int members = model.MemberCount;
  if (members < 1) return std::nullopt;
  // The month's slack first. From then on each member's slack is held with its
  // cells, as no other member's month changes it.
  std::optional<SolveResult> roster = RosterMonth(model, relaxed, limits(kSecondsPerMember));
  if (!roster) return std::nullopt;
  SolveResult current = std::move(*roster);
  const MemberColumns own = OwnColumns(relaxed);
  std::mt19937 draw(1);
  // A breach lies mostly in the member's own days: first the member alone.
  int partners = 0;
  auto done = [&] { return current.objective <= kNoSlack || left() <= 0 || Stopping(stop); };
  while (!done()) {
    std::vector<int> to_mend = MembersToMend(relaxed, current.values);
    std::shuffle(to_mend.begin(), to_mend.end(), draw);
    bool bettered = false;
    for (const int member : to_mend) {
      if (done()) break;
      const std::vector<int> group = GroupAround(member, std::min(partners, members - 1), members, draw);
      bettered = BetterForGroup(relaxed.lp, own, group, current,
                                limits(kSecondsPerMember * (partners + 1))) ||
                 bettered;
    }
    // A round that mends nothing widens the groups; one that does narrows them again.
    partners = bettered ? 0 : std::min(std::max(1, 2 * partners), kMostPartners);
  }
  if (current.objective > kNoSlack) return std::nullopt;
  IndexGrid<int> month = model.Roster;
  relaxed.cells->ReadMonth(current.values, month);
  return month;
}

std::optional<IndexGrid<int>> BetterByMembers(const ConditionModel& model, double seconds,
                                              const std::atomic<bool>* stop) {
  const ExactModel month = BuildExactModel(model, ModelKind::kMonth);
  if (!month.has_objective) return std::nullopt;
  const Clock::time_point start = Clock::now();
  SolveLimits first{seconds, stop, true};
  first.deadline = DeadlineAfter(start, seconds);
  std::optional<SolveResult> current = RosterMonth(model, month, first);
  if (!current) return std::nullopt;
  const double left = seconds - std::chrono::duration<double>(Clock::now() - start).count();
  const SolveResult best = ImproveByMembers(month.lp, *month.cells, std::move(*current), left, stop);
  IndexGrid<int> better = model.Roster;
  month.cells->ReadMonth(best.values, better);
  return better;
}

}  // namespace tsumiki::exact

#include "exact/member_search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

#include "exact/child_solve.h"

namespace tsumiki::exact {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFirstGroup = 2;
// One group's solve at first. Most groups are settled in a few hundredths of a
// second; a group that CBC cannot settle by then is left for the next round,
// which measured better on the benchmark's months than waiting for it (0.5 s
// and 3 s). Once a whole turn of sizes betters nothing, what is left is in the
// groups CBC could not settle: each such turn doubles the time of a solve, up
// to kMostGroupSeconds (the exact model alone on Instance7 in 60 s: 1204, not 1723).
constexpr double kGroupSeconds = 0.2;
constexpr double kMostGroupSeconds = 16 * kGroupSeconds;
// A window of days is solved for every member at once, so the members can trade
// the days and weekends they work. As many days as keep it near kWindowColumns
// cells, which CBC mostly settles within kGroupSeconds: on the benchmark's months a
// week for twenty members of four duties, four days for thirty of five, two for
// fifty; a week measured worse there than four days.
constexpr int kWindowColumns = 350;
constexpr int kFewestWindowDays = 2;
constexpr int kMostWindowDays = 7;
// Better by less than this is rounding, not a better month.
constexpr double kBetter = 1e-6;

// The month model with every column of the members outside `group` fixed to its
// value in `values`.
LinearModel WithOthersHeld(const LinearModel& month, const MemberColumns& columns,
                           const std::vector<int>& group, const std::vector<double>& values) {
  LinearModel lp = month;
  for (std::size_t m = 1; m < columns.size(); ++m) {
    if (std::find(group.begin(), group.end(), static_cast<int>(m)) != group.end()) continue;
    for (int column : columns[m])
      lp.FixColumn(column, std::round(values[static_cast<std::size_t>(column)]));
  }
  return lp;
}

// Solves `held`, a model with most columns fixed, over its free columns alone.
SolveResult SolveHeld(const LinearModel& held, const SolveLimits& limits) {
  std::vector<int> kept;
  const LinearModel reduced = WithoutFixedColumns(held, kept);
  SolveResult solved;
  if (kept.empty()) {
    // Nothing left to solve: the held values are the solution, unless a row
    // cannot hold.
    solved.status = reduced.Rows().empty() ? SolveStatus::kSolved : SolveStatus::kInfeasible;
    if (reduced.Rows().empty()) solved.values = WithFixedColumns(held, kept, {});
    return solved;
  }
  solved = SolveInChild(reduced, limits);
  if (!solved.values.empty()) solved.values = WithFixedColumns(held, kept, solved.values);
  return solved;
}

// Takes `solved` for `current` where it is a month of lower objective.
bool TakeIfBetter(const LinearModel& month, const SolveResult& solved, SolveResult& current) {
  if (solved.values.size() != current.values.size()) return false;
  const double objective = month.CostOf(solved.values);
  if (objective >= current.objective - kBetter) return false;
  current.values = solved.values;
  current.objective = objective;
  return true;
}

// Every member once, in groups of `size` in a drawn order.
std::vector<std::vector<int>> DrawnGroups(int members, int size, std::mt19937& draw) {
  std::vector<int> order(static_cast<std::size_t>(members));
  std::iota(order.begin(), order.end(), 1);
  std::shuffle(order.begin(), order.end(), draw);
  std::vector<std::vector<int>> groups;
  for (std::size_t first = 0; first < order.size(); first += static_cast<std::size_t>(size)) {
    const std::size_t last = std::min(order.size(), first + static_cast<std::size_t>(size));
    groups.emplace_back(order.begin() + static_cast<std::ptrdiff_t>(first),
                        order.begin() + static_cast<std::ptrdiff_t>(last));
  }
  return groups;
}

int WindowDays(const CellVariables& cells, std::size_t cell_count) {
  const int days = cells.LastDay() - cells.FirstDay() + 1;
  if (days <= 0 || cell_count == 0) return kMostWindowDays;
  const double per_day = static_cast<double>(cell_count) / days;
  return std::clamp(static_cast<int>(kWindowColumns / per_day), kFewestWindowDays, kMostWindowDays);
}

// Windows of `width` days over the open days, half a window apart, in a drawn
// order: (first, last) day.
std::vector<std::pair<int, int>> DrawnWindows(const CellVariables& cells, int width,
                                              std::mt19937& draw) {
  std::vector<std::pair<int, int>> windows;
  for (int first = cells.FirstDay(); first <= cells.LastDay(); first += std::max(1, width / 2)) {
    windows.emplace_back(first, std::min(cells.LastDay(), first + width - 1));
    if (first + width - 1 >= cells.LastDay()) break;
  }
  std::shuffle(windows.begin(), windows.end(), draw);
  return windows;
}

// The cells of the members of `group` within the window free, every other cell
// held: the month solved again on the window's days for those members at once.
bool BetterForBlock(const LinearModel& month, const CellVariables& cells,
                    const std::vector<int>& group, int first, int last, SolveResult& current,
                    const SolveLimits& limits) {
  MemberColumns held(static_cast<std::size_t>(cells.MemberCount()) + 1);
  for (int m = 1; m <= cells.MemberCount(); ++m) {
    const bool in_group = std::find(group.begin(), group.end(), m) != group.end();
    held[static_cast<std::size_t>(m)] =
        in_group ? cells.ColumnsOutside(m, first, last) : cells.ColumnsOf(m);
  }
  return BetterForGroup(month, held, {}, current, limits);
}

}  // namespace

MemberColumns CellColumns(const CellVariables& cells) {
  MemberColumns columns(static_cast<std::size_t>(cells.MemberCount()) + 1);
  for (int m = 1; m <= cells.MemberCount(); ++m)
    columns[static_cast<std::size_t>(m)] = cells.ColumnsOf(m);
  return columns;
}

bool BetterForGroup(const LinearModel& month, const MemberColumns& columns,
                    const std::vector<int>& group, SolveResult& current,
                    const SolveLimits& limits) {
  return TakeIfBetter(
      month, SolveHeld(WithOthersHeld(month, columns, group, current.values), limits), current);
}

SolveResult ImproveByMembers(const LinearModel& month, const CellVariables& cells,
                             SolveResult current, double seconds, const std::atomic<bool>* stop,
                             const EarlyModel& early, const OnBetter& on_better) {
  const Clock::time_point start = Clock::now();
  auto left = [&] { return seconds - std::chrono::duration<double>(Clock::now() - start).count(); };
  auto held = [&] { return early.lp != nullptr && seconds - left() < early.seconds; };
  // Every solve ends by the budget's end, whatever CBC makes of its own limit: the
  // month found by then must reach the run before its deadline.
  auto limits = [&](double most) {
    SolveLimits limits{std::min(most, left()), stop, true};
    limits.deadline = DeadlineAfter(start, seconds);
    return limits;
  };
  const int members = cells.MemberCount();
  const MemberColumns columns = CellColumns(cells);
  std::size_t cell_count = 0;
  for (const std::vector<int>& own : columns) cell_count += own.size();
  const int window_days = WindowDays(cells, cell_count);
  const int block_days = std::min(2 * window_days, cells.LastDay() - cells.FirstDay() + 1);
  const int half = std::max(kFirstGroup, (members + 1) / 2);
  std::mt19937 draw(1);
  int size = kFirstGroup;
  double group_seconds = kGroupSeconds;
  bool was_held = held();
  // Whether a round since the groups were last at their smallest bettered the
  // month: a round meets only a few of the many groups of a size, so the sizes
  // go round again until a whole turn of them betters nothing.
  bool turn_bettered = false;
  while (left() > 0 && !Stopping(stop)) {
    if (size >= members) {
      if (!turn_bettered) {
        if (group_seconds >= kMostGroupSeconds) break;
        group_seconds *= 2;
      }
      size = kFirstGroup;
      turn_bettered = false;
    }
    bool bettered = false;
    // Each solve reports a better month at once, so that a stop keeps it.
    auto tried = [&](auto&& solve) {
      const double before = current.objective;
      bettered = solve() || bettered;
      if (on_better && current.objective < before) on_better(current);
    };
    for (const std::vector<int>& group : DrawnGroups(members, size, draw)) {
      if (left() <= 0 || Stopping(stop)) break;
      if (held()) {
        // Solved in the early model, judged by the month's own objective.
        tried([&] {
          return TakeIfBetter(month,
                              SolveHeld(WithOthersHeld(*early.lp, columns, group, current.values),
                                        limits(group_seconds)),
                              current);
        });
      } else {
        tried(
            [&] { return BetterForGroup(month, columns, group, current, limits(group_seconds)); });
      }
    }
    // Where no group of members betters the month, the days do: each window
    // solved for every member, before the groups grow; where the windows better
    // nothing either, half the members at a time on windows twice as wide, as
    // many cells as a window: room for the runs and weekends that a trade of
    // days moves, which a window of a few days lacks.
    for (const auto& [block_size, days] :
         {std::pair{members, window_days}, std::pair{half, block_days}}) {
      if (bettered || held()) break;
      for (const auto& [first, last] : DrawnWindows(cells, days, draw)) {
        for (const std::vector<int>& group : DrawnGroups(members, block_size, draw)) {
          if (left() <= 0 || Stopping(stop)) break;
          tried([&] {
            return BetterForBlock(month, cells, group, first, last, current, limits(group_seconds));
          });
        }
      }
    }
    turn_bettered = turn_bettered || bettered;
    // The month's own model opens moves the early one held back: small groups again.
    if (was_held && !held()) {
      size = kFirstGroup;
      was_held = false;
    } else if (!bettered) {
      size *= 2;
    }
  }
  if (left() > 0 && !Stopping(stop)) {
    TakeIfBetter(month, SolveInChild(month, limits(seconds)), current);
  }
  return current;
}

}  // namespace tsumiki::exact

#pragma once

// A small workplace whose months are built by the day filling, and a recount of
// the tallies, shared by the optimisation tests.

#include <cstdint>
#include <string>
#include <utility>

#include "conditions/condition_model.h"
#include "creation/day_filling.h"
#include "roster/roster_change.h"
#include "support/model_builder.h"
#include "support/scripted_host.h"

namespace tsumiki::testing {

// Differences between the tallies and a fresh count of the roster's days 1..D,
// one line each; empty when they agree.
inline std::string TallyMismatch(const ConditionModel& model) {
  std::string problems;
  for (int m = 1; m <= model.MemberCount; ++m) {
    int total = 0;
    for (int t = 1; t <= model.TypeCount; ++t) {
      int count = 0;
      for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) == t ? 1 : 0;
      total += count;
      if (model.TypeTally(m, t) != count) {
        problems += "member " + std::to_string(m) + " type " + std::to_string(t) + ": tally " +
                    std::to_string(model.TypeTally(m, t)) + ", roster " + std::to_string(count) +
                    "\n";
      }
    }
    if (model.TypeTally(m, kTallyTotal) != total || model.WorkDays(m) != total) {
      problems += "member " + std::to_string(m) + ": total " +
                  std::to_string(model.TypeTally(m, kTallyTotal)) + ", work days " +
                  std::to_string(model.WorkDays(m)) + ", roster " + std::to_string(total) + "\n";
    }
  }
  return problems;
}

// A small workplace with every kind of rule: 4 duty types (1 day duty, 2 late, 3
// night, 4 after-night), 10 members, 30 days; night must be followed by
// after-night, after-night bars day and night duty the next day, three lates in a
// row are forbidden, members 1 and 2 never share the day duty, the late duty needs
// one of members 3..7, member 5 has day 10 off, member 6 never works nights, the
// first five members have a day-off count, at most 5 work days in a row, and
// three reservations (one of them a night).
inline ModelBuilder Workplace() {
  ModelBuilder b(30, 4, 10);
  b.NeedEveryDay(1, 3).NeedEveryDay(2, 1).NeedEveryDay(3, 1).NeedEveryDay(4, 1);
  b.Need(4, 1, 0);
  for (int d = 7; d <= 30; d += 7) b.Need(1, d, 2);
  b.RequiredPattern(3, 4);
  b.NextDayBan(4, 0b0101);
  b.ForbiddenPattern({2, 2, 2});
  b.ForbiddenCombo(1, 2, {1, 2});
  b.RequiredCombo(2, 1, {3, 4, 5, 6, 7});
  b.Ban(5, 10, kAnyType);
  for (int d = 1; d <= 30; ++d) b.Ban(6, d, 0b0100);
  for (int m = 1; m <= 5; ++m) b.Target(m, 20);
  b.MaxConsecWork(5);
  b.Reserve(8, 5, 1).Reserve(4, 12, 2).Reserve(3, 20, 3);
  ConditionModel& model = b.model();
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 1.0f;
  model.PreventSingleWork = true;
  return b;
}

// Fills days 1..D with the day filling and counts every duty in the tallies.
// False when some day could not be filled.
inline bool FillMonth(ConditionModel& model, RandomSource& random, const Host& host) {
  RunState run;
  DayFillContext fill{model, run, random, host};
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    IndexArray<int> before(0, model.MemberCount + 1);
    for (int m = 1; m <= model.MemberCount; ++m) before(m) = model.Roster(m, d);
    if (TryDay(fill, d) == DayResult::kFailed) return false;
    // Count what the day filling changed; reservations are counted already.
    for (int m = 1; m <= model.MemberCount; ++m) CountFilledCell(model, m, d, before(m));
  }
  return true;
}

// A complete month of the workplace for `seed`; false when the day filling ran
// into a dead end.
inline bool BuildWorkplaceMonth(std::uint64_t seed, ConditionModel& out) {
  ModelBuilder b = Workplace();
  out = b.Build();
  RandomSource random(seed);
  ScriptedHost host;
  return FillMonth(out, random, host);
}

}  // namespace tsumiki::testing

#include "optimise/work_day_adjust.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "roster/roster_score.h"
#include "support/roster_checker.h"

namespace tsumiki {
namespace {

using testing::Engine;
using testing::ModelBuilder;
using testing::TallyMismatch;

// One member alone over `days` days; the total need of each day shapes the order
// of the days (a higher need makes a day less over-staffed).
ModelBuilder Alone(int days, int types) {
  ModelBuilder b(days, types, 1);
  return b;
}

void SetDayNeed(ConditionModel& model, int d, int total) {
  model.NeedTable(model.TypeCount + 1, d) = total;
}

int WorkDaysOn(const ConditionModel& model, int m) {
  int count = 0;
  for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) >= 1 ? 1 : 0;
  return count;
}

TEST(DaysBySurplus, LeastOverStaffedFirstAndEarlierDayOnTies) {
  ModelBuilder b(5, 1, 3);
  b.Assign(1, 1, 1).Assign(2, 1, 1);                  // day 1: 2 on duty
  b.Assign(1, 2, 1);                                  // day 2: 1
  b.Assign(1, 3, 1).Assign(2, 3, 1).Assign(3, 3, 1);  // day 3: 3
  b.Assign(1, 4, 1);                                  // day 4: 1
  b.Assign(1, 5, 1).Assign(2, 5, 1);                  // day 5: 2
  b.NeedEveryDay(1, 2).Need(1, 3, 1);
  ConditionModel model = b.Build();
  IndexArray<int> order(0, 6);
  DaysBySurplus(model, order);
  EXPECT_EQ((std::vector<int>{order(1), order(2), order(3), order(4), order(5)}),
            (std::vector<int>{2, 4, 1, 5, 3}));
  model.StartDay = 3;
  DaysBySurplus(model, order);
  EXPECT_EQ((std::vector<int>{order(1), order(2), order(3)}), (std::vector<int>{4, 5, 3}));
}

TEST(AdjustWorkDays, AddsDutiesUpToTheTargetAndWritesThemToTheSheet) {
  ConditionModel start = Alone(10, 3).Target(1, 3).Build();
  Engine engine(start, 1);
  const AdjustContext ctx = engine.adjust();
  EXPECT_EQ(AdjustWorkDays(ctx, /*strict=*/false), 0);
  EXPECT_EQ(engine.model.WorkDays(1), 3);
  EXPECT_EQ(TallyMismatch(engine.model), "");
  EXPECT_EQ(engine.SheetMismatch(), "");
  // Type 1 only: with three types the loop never goes beyond type 2, and type 1
  // was possible everywhere.
  EXPECT_EQ(engine.model.TypeTally(1, 1), 3);
  const auto texts = engine.host.StatusTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), std::string(kAdjustingStatus));
  EXPECT_FALSE(engine.host.StatusVisible());
}

TEST(AdjustWorkDays, DoesNothingWhenTheSheetShowsNoRestDeviation) {
  Engine engine(Alone(10, 3).Target(1, 3).Build(), 1);
  engine.SetNumber(layout::kRestDeviation, 0);
  engine.SetNumber(layout::kRestBalance, 0);
  const AdjustContext ctx = engine.adjust();
  EXPECT_EQ(AdjustWorkDays(ctx, /*strict=*/false), 0);
  EXPECT_EQ(engine.model.WorkDays(1), 0);
  EXPECT_TRUE(engine.host.StatusTexts().empty());
}

TEST(AdjustWorkDays, SwitchedOffOrAbortedOrTargetZero) {
  {
    Engine engine(Alone(10, 3).Target(1, 3).Build(), 1);
    engine.model.WorkDayAdjust = false;
    const AdjustContext ctx = engine.adjust();
    AdjustWorkDays(ctx, /*strict=*/false);
    EXPECT_EQ(engine.model.WorkDays(1), 0);
  }
  {
    Engine engine(Alone(10, 3).Target(1, 3).Build(), 1);
    engine.run.AbortRequested = true;
    const AdjustContext ctx = engine.adjust();
    AdjustWorkDays(ctx, /*strict=*/false);
    EXPECT_EQ(engine.model.WorkDays(1), 0);
  }
  {
    Engine engine(Alone(10, 3).Target(1, 0).Build(), 1);
    const AdjustContext ctx = engine.adjust();
    AdjustWorkDays(ctx, /*strict=*/false);
    EXPECT_EQ(engine.model.WorkDays(1), 0);
  }
}

TEST(AdjustWorkDays, TheLastTypeAndTheMostOverStaffedDayAreNeverTried) {
  // Two types, type 1 barred everywhere: type 2 is never tried.
  ModelBuilder two = Alone(5, 2).Target(1, 3);
  for (int d = 1; d <= 5; ++d) two.Ban(1, d, 0b01);
  Engine barred(two.Build(), 1);
  const AdjustContext barred_ctx = barred.adjust();
  AdjustWorkDays(barred_ctx, /*strict=*/false);
  EXPECT_EQ(barred.model.WorkDays(1), 0);
  // With one type, type 1 is tried.
  Engine single(Alone(5, 1).Target(1, 2).Build(), 1);
  const AdjustContext single_ctx = single.adjust();
  AdjustWorkDays(single_ctx, /*strict=*/false);
  EXPECT_EQ(single.model.WorkDays(1), 2);
  // The order's last position is never visited: member 1 misses only day 2, where
  // members 2 and 3 already work, so that day stays last after the re-sort too.
  ModelBuilder crowded(5, 1, 3);
  crowded.Target(1, 5).Target(2, 1).Target(3, 1).Assign(2, 2, 1).Assign(3, 2, 1);
  Engine all(crowded.Build(), 1);
  const AdjustContext all_ctx = all.adjust();
  AdjustWorkDays(all_ctx, /*strict=*/false);
  EXPECT_EQ(all.model.Roster(1, 2), 0);
  EXPECT_EQ(WorkDaysOn(all.model, 1), 4);
}

TEST(AdjustWorkDays, RestLimitTurnsLongRestRunsIntoWorkFirst) {
  // Work on days 1, 2 and 5; rest on 3..4 (2 days) and 6..10 (5 days).
  ModelBuilder b = Alone(10, 1).Target(1, 4);
  b.Assign(1, 1, 1).Assign(1, 2, 1).Assign(1, 5, 1);
  ConditionModel start = b.Build();
  for (int d = 1; d <= 10; ++d) SetDayNeed(start, d, 1);
  SetDayNeed(start, 3, 5);  // day 3 first in the order
  SetDayNeed(start, 8, 4);  // then day 8
  start.MaxConsecRest = 3;
  Engine limited(start, 1);
  const AdjustContext ctx = limited.adjust();
  AdjustWorkDays(ctx, /*strict=*/false);
  EXPECT_EQ(limited.model.Roster(1, 3), 0);
  EXPECT_EQ(limited.model.Roster(1, 8), 1);
  // Without the limit the first day of the order is taken.
  start.MaxConsecRest = 0;
  Engine free(start, 1);
  const AdjustContext free_ctx = free.adjust();
  AdjustWorkDays(free_ctx, /*strict=*/false);
  EXPECT_EQ(free.model.Roster(1, 3), 1);
  EXPECT_EQ(free.model.Roster(1, 8), 0);
}

TEST(AdjustWorkDays, StrictFormLeavesNoSingleDays) {
  // Rest on day 3 between work days, on days 6..7 and 9..10.
  ModelBuilder b = Alone(10, 1).Target(1, 9);
  for (int d : {1, 2, 4, 5, 8}) b.Assign(1, d, 1);
  Engine engine(b.Build(), 1);
  const AdjustContext ctx = engine.adjust();
  AdjustWorkDays(ctx, /*strict=*/true);
  EXPECT_EQ(WorkDaysOn(engine.model, 1), 5);
  AdjustWorkDays(ctx, /*strict=*/false);
  EXPECT_EQ(WorkDaysOn(engine.model, 1), 9);
  EXPECT_EQ(TallyMismatch(engine.model), "");
}

TEST(AdjustWorkDays, KeepsEveryRuleOfTheAddedDuty) {
  // Member 1 short; type 1 barred on days 2..5, and type 2 would start a
  // sequence 2 -> 3 that the next day does not hold. Day 1 gets type 1; days 2..4
  // stay rest; on the month's last day the sequence runs into the next month.
  ModelBuilder b(5, 3, 2);
  b.Target(1, 5).RequiredPattern(2, 3);
  for (int d = 2; d <= 5; ++d) b.Ban(1, d, 0b001);
  Engine engine(b.Build(), 1);
  const AdjustContext ctx = engine.adjust();
  AdjustWorkDays(ctx, /*strict=*/false);
  EXPECT_EQ(WorkDaysOn(engine.model, 1), 2);
  EXPECT_EQ(engine.model.Roster(1, 1), 1);
  EXPECT_EQ(engine.model.Roster(1, 5), 2);
  // A forbidden combination with member 2 on type 1 keeps member 1 off those days.
  ModelBuilder c(3, 2, 2);
  c.Target(1, 3).Assign(2, 1, 1).Assign(2, 3, 1).ForbiddenCombo(1, 2, {1, 2});
  Engine combo(c.Build(), 1);
  const AdjustContext combo_ctx = combo.adjust();
  AdjustWorkDays(combo_ctx, /*strict=*/false);
  EXPECT_EQ(combo.model.Roster(1, 1), 0);
  EXPECT_EQ(combo.model.Roster(1, 3), 0);
  EXPECT_EQ(combo.model.Roster(1, 2), 1);
}

TEST(AdjustWorkDays, WorkplaceMonthsStayConsistentAndWithinTargets) {
  int months = 0;
  for (std::uint64_t seed = 1; seed <= 15; ++seed) {
    ConditionModel start;
    if (!testing::BuildWorkplaceMonth(seed, start)) continue;
    testing::CheckOptions options;
    options.work_days_at_most_target = true;
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(start, options)), "")
        << "the day filling alone, seed " << seed;
    ++months;
    Engine engine(start, seed);
    const AdjustContext ctx = engine.adjust();
    AdjustWorkDays(ctx, /*strict=*/true);
    AdjustWorkDays(ctx, /*strict=*/false);
    EXPECT_EQ(TallyMismatch(engine.model), "") << "seed " << seed;
    EXPECT_EQ(engine.SheetMismatch(), "") << "seed " << seed;
    for (int m = 1; m <= engine.model.MemberCount; ++m) {
      EXPECT_LE(engine.model.WorkDays(m), engine.model.WorkDayTarget(m)) << "seed " << seed;
      for (int d = 1; d <= engine.model.DayCount; ++d) {
        if (engine.model.Fixed(m, d) >= 1) {
          EXPECT_EQ(engine.model.Roster(m, d), start.Roster(m, d));
        }
      }
    }
    // Staffing grows on purpose; every other rule must hold.
    for (const testing::Breach& problem : testing::CheckRoster(engine.model, options)) {
      EXPECT_EQ(problem.rule, testing::Rule::kStaffing)
          << "seed " << seed << ": " << testing::Describe(problem);
    }
  }
  EXPECT_GT(months, 5);
}

}  // namespace
}  // namespace tsumiki

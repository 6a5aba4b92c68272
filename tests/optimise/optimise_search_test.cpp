#include "optimise/optimise_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine_fixture.h"
#include "optimise/work_day_adjust.h"
#include "roster/roster_score.h"
#include "support/roster_checker.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::Engine;
using testing::ModelBuilder;
using testing::TallyMismatch;

ConditionModel Weighted(ModelBuilder& b) {
  ConditionModel model = b.Build();
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 0.0f;
  model.OptimiseWeights(1) = 1.0f;
  return model;
}

TEST(ImproveMemberOnDay, TakesTheBestPartnerAndTheLowestOnTies) {
  ModelBuilder b(2, 1, 3);
  b.Assign(1, 1, 1);
  ConditionModel model = Weighted(b);
  testing::RosterEdit::SetPastTotal(model, 1, 1, 2);  // three with the past months
  model.WorkDayTarget(1) = 99;
  Engine engine(model, 1);
  const SearchContext ctx = engine.search();
  RosterSheetCopy sheet(*engine.book);
  PassState state(engine.model);
  // Partners 2 and 3 give the same score: partner 2 wins.
  const float score = ImproveMemberOnDay(ctx, 1, 1, kStartScore, sheet, state);
  EXPECT_FLOAT_EQ(score, 1.0f);  // counts 2, 1, 0
  EXPECT_EQ(engine.model.Roster(2, 1), 1);
  EXPECT_EQ(engine.model.Roster(1, 1), 0);
  EXPECT_TRUE(sheet.Get(1, 1).IsEmpty());
  EXPECT_EQ(sheet.Get(2, 1), workbook::CellValue("T1"));
  // Only a strictly lower score is taken.
  const ConditionModel before = engine.model;
  EXPECT_EQ(ImproveMemberOnDay(ctx, 2, 1, score, sheet, state), kNoImprovement);
  EXPECT_EQ(engine.model.Roster, before.Roster);
  // The last member has no later partner.
  EXPECT_EQ(ImproveMemberOnDay(ctx, 3, 1, kStartScore, sheet, state), kNoImprovement);
}

TEST(OptimisePass, TheFirstAcceptableSwapIsTakenEvenWhenItIsWorse) {
  ModelBuilder b(1, 1, 2);
  b.Assign(1, 1, 1);
  ConditionModel model = Weighted(b);
  testing::RosterEdit::SetPastTotal(model, 2, 1, 1);  // already balanced: 1 and 1
  Engine engine(model, 1);
  const SearchContext ctx = engine.search();
  EXPECT_EQ(RosterScore(engine.model), 0.0f);
  EXPECT_FLOAT_EQ(OptimisePass(ctx, /*k=*/1, 1), 1.414f);
  EXPECT_EQ(engine.model.Roster(2, 1), 1);
  EXPECT_EQ(engine.SheetMismatch(), "");
}

TEST(OptimisePass, StartDayAtTheLastDayVisitsOneDay) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(2, start));
  start.StartDay = 20;
  Engine engine(start, 5);
  const SearchContext ctx = engine.search();
  OptimisePass(ctx, /*k=*/1, 20);
  for (int m = 1; m <= start.MemberCount; ++m) {
    for (int d = 1; d <= start.DayCount; ++d) {
      if (d != 20) {
        EXPECT_EQ(engine.model.Roster(m, d), start.Roster(m, d));
      }
    }
  }
}

TEST(Optimise, NoPossibleSwapEndsAfterOnePass) {
  ModelBuilder b(5, 1, 3);
  for (int m = 1; m <= 3; ++m) {
    for (int d = 1; d <= 5; ++d) b.Assign(m, d, 1);
  }
  ConditionModel model = Weighted(b);
  Engine engine(model, 1);
  const SearchContext ctx = engine.search();
  Optimise(ctx, /*first_argument=*/1, /*passes=*/2, 5);
  EXPECT_EQ(engine.model.Roster, model.Roster);
  // The steps reached the end of pass 1 and never entered pass 2.
  EXPECT_EQ(engine.progress.last_step, 5);
  EXPECT_EQ(engine.progress.total, 10);
}

TEST(Optimise, SecondPassRunsWhenTheFirstFoundSomething) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  Engine engine(start, 9);
  const SearchContext ctx = engine.search();
  Optimise(ctx, /*first_argument=*/1, /*passes=*/2, 30);
  EXPECT_GT(engine.progress.last_step, 30);
}

TEST(Optimise, ReportsEachBestScoreOfThePassAndEndsOnce) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  Engine engine(start, 9);
  Optimise(engine.search(), /*first_argument=*/1, /*passes=*/1, 30);
  const testing::ProgressRecord& progress = engine.progress;
  EXPECT_EQ(progress.started, 1);
  EXPECT_EQ(progress.ended, 1);
  EXPECT_EQ(progress.total, 30);
  ASSERT_GE(progress.best.size(), 2u);
  EXPECT_TRUE(std::is_sorted(progress.best.rbegin(), progress.best.rend()));
  EXPECT_EQ(engine.book->GetAppState(),
            (workbook::AppState{
                .screen_updating = true, .automatic_calculation = false, .events = false}));
}

TEST(Optimise, AlreadyAbortedDoesNothing) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  Engine engine(start, 9);
  engine.run.AbortRequested = true;
  const SearchContext ctx = engine.search();
  Optimise(ctx, /*first_argument=*/1, /*passes=*/2, 30);
  EXPECT_EQ(engine.progress.started, 0);
  EXPECT_EQ(engine.model.Roster, start.Roster);
}

// Cells where two rosters differ.
int DifferentCells(const ConditionModel& a, const IndexGrid<int>& b) {
  int count = 0;
  for (int m = 1; m <= a.MemberCount; ++m) {
    for (int d = 1; d <= a.DayCount; ++d) count += a.Roster(m, d) != b(m, d) ? 1 : 0;
  }
  return count;
}

TEST(Optimise, AbortStopsWithinOnePartnerAndStillWritesTheSheet) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  for (const int abort_at : {1, 2, 37, 150, 400}) {
    Engine engine(start, 9);
    engine.run.RosterComplete = true;  // the adjustment would run after a pass
    IndexGrid<int> at_abort;
    engine.host.AtDoEvents(abort_at, [&engine, &at_abort] {
      engine.host.PressAbort();
      at_abort = engine.model.Roster;
    });
    const SearchContext ctx = engine.search();
    Optimise(ctx, /*first_argument=*/1, /*passes=*/3, 30);
    EXPECT_TRUE(engine.run.AbortRequested);
    // After the press only the day loop looks once more; no further partner is
    // examined, and no later pass or adjustment runs.
    EXPECT_LE(engine.host.DoEventsCount(), abort_at + 1) << abort_at;
    EXPECT_TRUE(engine.host.StatusTexts().empty()) << abort_at;
    // At most the best swap found so far for the current member is applied.
    EXPECT_LE(DifferentCells(engine.model, at_abort), 2) << abort_at;
    EXPECT_EQ(engine.SheetMismatch(), "") << abort_at;
    EXPECT_EQ(TallyMismatch(engine.model), "") << abort_at;
    EXPECT_EQ(engine.progress.ended, engine.progress.started);
  }
}

TEST(Optimise, WorkplaceMonthsKeepEveryRule) {
  int months = 0;
  for (std::uint64_t seed = 1; seed <= 25; ++seed) {
    ConditionModel start;
    if (!testing::BuildWorkplaceMonth(seed, start)) continue;
    testing::CheckOptions options;
    options.work_days_at_most_target = true;
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(start, options)), "")
        << "the day filling alone, seed " << seed;
    ++months;
    Engine engine(start, seed);
    engine.model.WorkFocus = seed % 2 == 0;
    engine.model.MaxConsecRest = seed % 3 == 0 ? 6 : 0;
    const SearchContext ctx = engine.search();
    Optimise(ctx, /*first_argument=*/1, /*passes=*/2, 30);
    const std::string where = "seed " + std::to_string(seed);
    EXPECT_EQ(TallyMismatch(engine.model), "") << where;
    EXPECT_EQ(engine.SheetMismatch(), "") << where;
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(engine.model, options)), "") << where;
    for (int m = 1; m <= start.MemberCount; ++m) {
      for (int d = 1; d <= start.DayCount; ++d) {
        if (start.Fixed(m, d) >= 1) {
          EXPECT_EQ(engine.model.Roster(m, d), start.Roster(m, d));
        }
      }
    }
  }
  EXPECT_GT(months, 10);
}

TEST(Optimise, AdjustmentInsideTheLoopFillsShortMembers) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(6, start));
  ASSERT_GT(WorkDayShortfall(start), 0);
  Engine engine(start, 6);
  engine.run.RosterComplete = true;
  const SearchContext ctx = engine.search();
  Optimise(ctx, /*first_argument=*/1, /*passes=*/1, 30);
  EXPECT_LT(WorkDayShortfall(engine.model), WorkDayShortfall(start));
  EXPECT_GE(WorkDayShortfall(engine.model), 0);
  EXPECT_EQ(TallyMismatch(engine.model), "");
  EXPECT_EQ(engine.SheetMismatch(), "");
  const auto texts = engine.host.StatusTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(kAdjustingStatus)), texts.end());
}

}  // namespace
}  // namespace tsumiki

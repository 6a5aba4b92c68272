#include "optimise/improve_search.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine_fixture.h"
#include "roster/roster_score.h"
#include "support/roster_checker.h"

namespace tsumiki {
namespace {

using testing::BuildWorkplaceMonth;
using testing::CheckOptions;
using testing::CheckRoster;
using testing::Engine;
using testing::JoinProblems;
using testing::TallyMismatch;

TEST(ImproveStatusText, ShowsTheScoreToTwoDecimals) {
  EXPECT_EQ(ImproveStatusText(121.456f), "改善中（スコア 121.46）");
}

// A workplace month whose first five members are exactly at their targets.
ConditionModel MonthAtTargets(std::uint64_t seed) {
  ConditionModel month;
  EXPECT_TRUE(BuildWorkplaceMonth(seed, month));
  for (int m = 1; m <= 5; ++m) month.WorkDayTarget(m) = month.WorkDays(m);
  return month;
}

std::string Problems(const ConditionModel& model) {
  CheckOptions options;
  options.work_days_exact = true;
  options.work_days_at_most_target = true;
  return JoinProblems(CheckRoster(model, options)) + TallyMismatch(model);
}

class ImproveOnWorkplace : public ::testing::TestWithParam<int> {};

TEST_P(ImproveOnWorkplace, LowersTheScoreAndKeepsEveryRuleAndTarget) {
  Engine engine(MonthAtTargets(static_cast<std::uint64_t>(GetParam())),
                static_cast<std::uint64_t>(GetParam()));
  const SearchContext ctx = engine.search();
  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  const ImproveOutcome outcome = ImproveRoster(ctx, reserved, 1.0f);
  EXPECT_FALSE(outcome.stopped);
  EXPECT_LT(outcome.after, outcome.before);
  EXPECT_EQ(outcome.after, RosterScore(engine.model));
  EXPECT_EQ(Problems(engine.model), "");
  EXPECT_EQ(engine.SheetMismatch(), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, ImproveOnWorkplace, ::testing::Values(1, 2, 3));

// An abort during the search: it ends within 200 ms of the clock and leaves the
// best month it showed, never a worse one, with every rule and target kept.
TEST(ImproveSearch, AbortEndsItPromptlyAndKeepsTheBestMonth) {
  Engine engine(MonthAtTargets(5), 11);
  constexpr std::int64_t kAbortAt = 40;
  engine.host.AtTime(kAbortAt, [&engine] { engine.host.PressAbort(); });
  engine.TickOneMillisecondPerLook();
  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  const ImproveContext ctx{engine.model, engine.host, engine.run, engine.random, reserved, 0};
  const ImproveOutcome outcome = ImproveSearch(ctx, ImproveLimits{std::int64_t{1} << 40});
  EXPECT_TRUE(outcome.stopped);
  EXPECT_LE(engine.host.MonotonicMs(), kAbortAt + 200);

  float shown = outcome.before;
  for (const std::string& text : engine.host.StatusTexts()) {
    if (text.empty()) continue;
    const float score = std::stof(text.substr(kImproveStatusPrefix.size()));
    EXPECT_LE(score, shown + 0.005f) << "the status shows the best score, which never rises";
    shown = score;
  }
  EXPECT_LE(outcome.after, shown + 0.005f);
  EXPECT_LE(outcome.after, outcome.before);
  EXPECT_EQ(outcome.after, RosterScore(engine.model));
  EXPECT_EQ(Problems(engine.model), "");
}

// Odd members may take duty 1 no more often, even members work no more weekends,
// than the month before the search holds: limits that bind at once.
void BindAsHeld(ConditionModel& month) {
  ExtraConditions& x = month.Extra;
  x.SetWeekends(month.DayCount, 6);
  x.HasHard = true;
  for (int m = 1; m <= month.MemberCount; ++m) {
    int count = 0;
    for (int d = 1; d <= month.DayCount; ++d) count += month.Roster(m, d) == 1 ? 1 : 0;
    if (m % 2 == 1) x.DutyMost(m, 1) = count;
    int weekends = 0;
    for (int w = 1; w <= x.WeekendCount; ++w) {
      bool worked = false;
      for (int d = 1; d <= month.DayCount; ++d)
        worked |= x.WeekendOf(d) == w && month.Roster(m, d) >= 1;
      weekends += worked ? 1 : 0;
    }
    if (m % 2 == 0) x.WeekendsMost(m) = weekends;
  }
}

// The limits bind: without them the search takes some member past one; with them
// it keeps each, and every other rule.
TEST(ImproveSearch, KeepsTheMostCountsAndWeekendsThatBind) {
  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  for (const bool limited : {false, true}) {
    SCOPED_TRACE(limited ? "limited" : "free");
    ConditionModel month = MonthAtTargets(2);
    ConditionModel limits = month;
    BindAsHeld(limits);
    if (limited) month = limits;
    Engine engine(month, 2);
    ImproveRoster(engine.search(), reserved, 1.0f);
    if (limited) {
      EXPECT_EQ(Problems(engine.model), "");
    } else {
      ConditionModel after = engine.model;
      after.Extra = limits.Extra;
      EXPECT_NE(Problems(after), "");
    }
  }
}

}  // namespace
}  // namespace tsumiki

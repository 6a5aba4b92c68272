#include "optimise/repair_search.h"

#include <gtest/gtest.h>

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
using testing::kNoDeadline;
using testing::TallyMismatch;

TEST(RepairStatusText, NamesTheMissingDays) {
  EXPECT_EQ(RepairStatusText(29), "勤務日数を補充中（残り29日）");
}

// Workplace months whose targets ask every member for four more days than the day
// filling gave them; the repair alone has to place all of them.
class RepairOnWorkplace : public ::testing::TestWithParam<int> {};

TEST_P(RepairOnWorkplace, ReachesEveryTargetWithoutBreakingARule) {
  ConditionModel month;
  ASSERT_TRUE(BuildWorkplaceMonth(static_cast<std::uint64_t>(GetParam()), month));
  for (int m = 1; m <= month.MemberCount; ++m) month.WorkDayTarget(m) = month.WorkDays(m) + 4;
  month.WorkDayAdjust = true;
  Engine engine(month, static_cast<std::uint64_t>(GetParam()));
  const SearchContext ctx = engine.search();
  ASSERT_EQ(WorkDayShortfall(engine.model), 4 * engine.model.MemberCount);

  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  EXPECT_TRUE(RepairWorkDays(ctx, reserved, kNoDeadline));
  CheckOptions options;
  options.work_days_exact = true;
  options.work_days_at_most_target = true;
  options.extra_staff_for_targets = true;
  EXPECT_EQ(JoinProblems(CheckRoster(engine.model, options)), "");
  EXPECT_EQ(TallyMismatch(engine.model), "");
  EXPECT_EQ(engine.SheetMismatch(), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, RepairOnWorkplace, ::testing::Values(1, 2, 3));

// Targets no month can meet (29 work days under a limit of 5 in a row): the search
// only ends by an abort or its deadline, and leaves a consistent month behind.
TEST(RepairSearch, AbortAndDeadlineEndItPromptlyAndLeaveTheMonthConsistent) {
  ConditionModel month;
  ASSERT_TRUE(BuildWorkplaceMonth(4, month));
  for (int m = 1; m <= month.MemberCount; ++m) month.WorkDayTarget(m) = month.DayCount - 1;
  struct Case {
    bool abort;
    std::int64_t deadline_ms;
  };
  for (const Case c : {Case{true, kNoDeadline}, Case{false, 1000}}) {
    Engine engine(month, 7);
    constexpr std::int64_t kAbortAt = 500;
    if (c.abort) engine.host.AtTime(kAbortAt, [&engine] { engine.host.PressAbort(); });
    engine.TickOneMillisecondPerLook();
    const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
    RepairContext ctx{engine.model, engine.host, engine.run, engine.random, reserved, 0};
    const RepairLimits limits{c.deadline_ms, std::int64_t{1} << 40};
    const RepairOutcome outcome = RepairSearch(ctx, limits);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LE(engine.host.MonotonicMs(), (c.abort ? kAbortAt : c.deadline_ms) + 200);
    EXPECT_GT(outcome.missing, 0);
    EXPECT_EQ(TallyMismatch(engine.model), "");
    CheckOptions options;
    options.work_days_at_most_target = true;
    options.extra_staff_for_targets = true;
    EXPECT_EQ(JoinProblems(CheckRoster(engine.model, options)), "");
  }
}

}  // namespace
}  // namespace tsumiki

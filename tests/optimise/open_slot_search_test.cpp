#include "optimise/open_slot_search.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "roster/roster_change.h"
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

TEST(OpenSlotStatusText, NamesTheOpenPlaces) {
  EXPECT_EQ(OpenSlotStatusText(7), "未配置 7 枠を調整中");
}

// A workplace month whose targets are its work days exactly, with duties taken
// out of every third day: the places are open and their members short, as a day
// filling that could not finish leaves them.
ConditionModel MonthWithHoles(std::uint64_t seed, int& removed) {
  ConditionModel month;
  EXPECT_TRUE(BuildWorkplaceMonth(seed, month));
  for (int m = 1; m <= month.MemberCount; ++m) month.WorkDayTarget(m) = month.WorkDays(m);
  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  removed = 0;
  for (int d = 2; d <= month.DayCount; d += 3) {
    for (int m = 1 + d % month.MemberCount, k = 0; k < month.MemberCount; ++k) {
      const int r = 1 + (m + k - 1) % month.MemberCount;
      const int code = month.Roster(r, d);
      if (code >= 1 && code <= 3 && month.Fixed(r, d) < 1 && reserved(r, d) < 1) {
        RemoveDuty(month, r, d);
        ++removed;
        break;
      }
    }
  }
  return month;
}

class OpenSlotsOnWorkplace : public ::testing::TestWithParam<int> {};

TEST_P(OpenSlotsOnWorkplace, FillsEveryPlaceAndMeetsEveryTargetWithoutBreakingARule) {
  int removed = 0;
  const ConditionModel month = MonthWithHoles(static_cast<std::uint64_t>(GetParam()), removed);
  ASSERT_GT(removed, 5);
  Engine engine(month, static_cast<std::uint64_t>(GetParam()));
  ASSERT_EQ(OpenSlotCount(engine.model), removed);

  const IndexGrid<int> reserved = testing::Workplace().Build().Fixed;
  EXPECT_TRUE(CloseOpenSlots(engine.search(), reserved, kNoDeadline));
  CheckOptions options;
  options.work_days_exact = true;
  options.work_days_at_most_target = true;
  EXPECT_EQ(JoinProblems(CheckRoster(engine.model, options)), "");
  EXPECT_EQ(TallyMismatch(engine.model), "");
  EXPECT_EQ(engine.SheetMismatch(), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, OpenSlotsOnWorkplace, ::testing::Values(1, 2, 3));

// A place nobody may take (every member barred from the duty that day): the
// search ends by an abort or the deadline, promptly, with a consistent month.
TEST(OpenSlotSearch, AbortAndDeadlineEndItPromptlyAndLeaveTheMonthConsistent) {
  int removed = 0;
  ConditionModel month = MonthWithHoles(4, removed);
  for (int m = 1; m <= month.MemberCount; ++m) month.WorkDayTarget(m) = month.WorkDays(m) + 1;
  month.NeedTable(1, 3) += month.MemberCount;  // more than the members there are
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
    const OpenSlotOutcome outcome =
        OpenSlotSearch(ctx, Termination{c.deadline_ms, std::int64_t{1} << 40, 0});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LE(engine.host.MonotonicMs(), (c.abort ? kAbortAt : c.deadline_ms) + 200);
    EXPECT_GT(outcome.open, 0);
    EXPECT_EQ(TallyMismatch(engine.model), "");
  }
}

}  // namespace
}  // namespace tsumiki

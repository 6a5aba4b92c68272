#include "support/roster_checker.h"

#include <gtest/gtest.h>

#include <functional>

#include "conditions/roster_writer.h"
#include "support/model_builder.h"

namespace tsumiki {
namespace {

using testing::CheckOptions;
using testing::CheckRoster;
using testing::ModelBuilder;
using Lines = std::vector<std::string>;

// Six days, six members: on day d member d has duty 1 and member d+1 duty 2
// (member 1 on day 6), so every member works duty 2 and then duty 1.
ConditionModel Sound(ModelBuilder b, const std::function<void(ConditionModel&)>& change = {}) {
  b.NeedEveryDay(1, 1).NeedEveryDay(2, 1);
  for (int d = 1; d <= 6; ++d) {
    b.Assign(d, d, 1);
    b.Assign(d % 6 + 1, d, 2);
  }
  ConditionModel model = b.Build();
  if (change) change(model);
  return model;
}

ModelBuilder Base() {
  return ModelBuilder(6, 3, 6);
}

// The checker is what the day-filling property test trusts: each kind of broken
// rule must show, and a sound roster must pass.
TEST(RosterCheckerTest, SoundRosterPasses) {
  EXPECT_EQ(CheckRoster(Sound(Base())), Lines{});
}

TEST(RosterCheckerTest, OneDayRules) {
  EXPECT_EQ(CheckRoster(
                Sound(Base(), [](ConditionModel& m) { RosterWriter::WriteUncounted(m, 3, 4, 3); })),
            Lines{"day 4 type 3: 1 staff, 0 needed"});
  EXPECT_EQ(CheckRoster(Sound(Base().Ban(2, 2, 1))),
            Lines{"member 2 day 2: type 1 barred that day"});
  EXPECT_EQ(
      CheckRoster(Sound(Base(), [](ConditionModel& m) { RosterWriter::SetFixed(m, 5, 2, 1); })),
      Lines{"member 5 day 2: fixed type 1 but roster has 0"});
  EXPECT_EQ(CheckRoster(Sound(Base().ForbiddenCombo(kAnyType, 2, {1, 2}),
                              [](ConditionModel& m) { RosterWriter::WriteUncounted(m, 2, 1, 1); })),
            (Lines{"day 1 type 1: 2 staff, 1 needed", "day 1 type 2: 0 staff, 1 needed",
                   "day 1: forbidden combination 1 has 2 members on type 1"}));
  const Lines required = CheckRoster(Sound(Base().RequiredCombo(1, 1, {1})));
  ASSERT_EQ(required.size(), 5U);
  EXPECT_EQ(required[0], "day 2: required combination 1 has 0 of 1 members");
}

TEST(RosterCheckerTest, SequenceRules) {
  const Lines next_day = CheckRoster(Sound(Base().NextDayBan(2, 1)));
  ASSERT_EQ(next_day.size(), 5U);
  EXPECT_EQ(next_day[0], "member 2 day 2: type 1 barred after type 2");

  const Lines forbidden = CheckRoster(Sound(Base().ForbiddenPattern({2, kAnyType})));
  ASSERT_EQ(forbidden.size(), 5U);
  EXPECT_EQ(forbidden[0], "member 2 day 1: forbidden sequence 1 starts here");

  EXPECT_EQ(CheckRoster(Sound(Base().ForbiddenPattern({2, 2}).PrevMonth(2, {2}))),
            Lines{"member 2 day 0: forbidden sequence 1 starts here"});

  const Lines run = CheckRoster(Sound(Base().MaxConsecWork(1)));
  ASSERT_EQ(run.size(), 5U);
  EXPECT_EQ(run[0], "member 2 day 1: 2 work days in a row up to day 2");
  EXPECT_EQ(CheckRoster(Sound(Base().MaxConsecWork(2))), Lines{});
  EXPECT_EQ(CheckRoster(Sound(Base().MaxConsecWork(2).PrevMonth(2, {1}))),
            Lines{"member 2 day 1: 3 work days in a row up to day 2"});

  EXPECT_EQ(CheckRoster(Sound(Base().RequiredPattern(2, 1))), Lines{});
  const Lines sequence = CheckRoster(Sound(Base().RequiredPattern(1, 2)));
  ASSERT_EQ(sequence.size(), 5U);
  EXPECT_EQ(sequence[0], "member 1 day 2: type 2 must follow type 1, roster has 0");
}

TEST(RosterCheckerTest, DayRangeAndWorkDayTargets) {
  const ConditionModel fixed =
      Sound(Base(), [](ConditionModel& m) { RosterWriter::SetFixed(m, 5, 2, 1); });
  EXPECT_EQ(CheckRoster(fixed, CheckOptions{3, 6}), Lines{});
  EXPECT_EQ(CheckRoster(fixed, CheckOptions{2, 2}).size(), 1U);

  const ConditionModel target = Sound(Base().Target(1, 1).Target(2, 3));
  EXPECT_EQ(CheckRoster(target), Lines{});
  CheckOptions at_most;
  at_most.work_days_at_most_target = true;
  EXPECT_EQ(CheckRoster(target, at_most), Lines{"member 1: 2 work days, target 1"});
  CheckOptions exact;
  exact.work_days_exact = true;
  EXPECT_EQ(CheckRoster(target, exact),
            (Lines{"member 1: 2 work days, target 1", "member 2: 2 work days, target 3"}));
}

}  // namespace
}  // namespace tsumiki

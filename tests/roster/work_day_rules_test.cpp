#include "roster/work_day_rules.h"

#include <gtest/gtest.h>

#include "support/model_builder.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;

// Member 1: type 2 on days 2 and 4, rest on day 3.
ModelBuilder Gap() {
  ModelBuilder b(6, 3, 1);
  b.Assign(1, 2, 2).Assign(1, 4, 2);
  return b;
}

TEST(CanAddDuty, ScheduleAndNextDayBans) {
  EXPECT_EQ(CanAddDuty(Gap().Build(), 1, 3, 1, 6), kRuleAccept);
  EXPECT_EQ(CanAddDuty(Gap().Ban(1, 3, kAnyType).Build(), 1, 3, 1, 6), kRuleRefuse);
  EXPECT_EQ(CanAddDuty(Gap().Ban(1, 3, 0b010).Build(), 1, 3, 1, 6), kRuleAccept);
  // Yesterday's type 2 bars type 1 today.
  EXPECT_EQ(CanAddDuty(Gap().NextDayBan(2, 0b001).Build(), 1, 3, 1, 6), kRuleRefuse);
  // Type 1 today would bar tomorrow's type 2 ...
  const ConditionModel tomorrow = Gap().NextDayBan(1, 0b010).Build();
  EXPECT_EQ(CanAddDuty(tomorrow, 1, 3, 1, 6), kRuleRefuse);
  // ... unless tomorrow is past the last day looked at.
  EXPECT_EQ(CanAddDuty(tomorrow, 1, 3, 1, 3), kRuleAccept);
  // A rest day tomorrow is never barred.
  EXPECT_EQ(CanAddDuty(tomorrow, 1, 5, 1, 6), kRuleAccept);
}

TEST(CanAddDuty, SequencesAndWorkRuns) {
  EXPECT_EQ(CanAddDuty(Gap().ForbiddenPattern({2, 3, 2}).Build(), 1, 3, 3, 6), kRuleRefuse);
  EXPECT_EQ(CanAddDuty(Gap().ForbiddenPattern({2, 3, 2}).Build(), 1, 3, 1, 6), kRuleAccept);
  // Days 2..4 would make a run of 3.
  EXPECT_EQ(CanAddDuty(Gap().MaxConsecWork(2).Build(), 1, 3, 1, 6), kRuleRefuse);
  EXPECT_EQ(CanAddDuty(Gap().MaxConsecWork(3).Build(), 1, 3, 1, 6), kRuleAccept);
}

TEST(WorkRunAfter, CountsUpToTheFirstRestDay) {
  ModelBuilder b(6, 1, 1);
  b.Assign(1, 2, 1).Assign(1, 3, 1).Assign(1, 5, 1).Assign(1, 6, 1);
  const ConditionModel model = b.Build();
  EXPECT_EQ(WorkRunAfter(model, 1, 1), 3);
  EXPECT_EQ(WorkRunAfter(model, 1, 3), 1);
  // The day after the month reads as rest.
  EXPECT_EQ(WorkRunAfter(model, 1, 4), 3);
  EXPECT_EQ(WorkRunAfter(model, 1, 6), 1);
}

TEST(SingleDayGuard, RefusesRestNeighboursAndSingleRestDays) {
  // Rest on days 1, 3, 5, 6; work on 2 and 4.
  ModelBuilder b(6, 1, 1);
  b.Assign(1, 2, 1).Assign(1, 4, 1);
  const ConditionModel model = b.Build();
  EXPECT_EQ(SingleDayGuard(model, 1, 3), kRuleRefuse);  // a single rest day
  EXPECT_EQ(SingleDayGuard(model, 1, 5), kRuleRefuse);  // rest after it
  EXPECT_EQ(SingleDayGuard(model, 1, 1), kRuleRefuse);  // rest before it (day 0)
}

}  // namespace
}  // namespace tsumiki

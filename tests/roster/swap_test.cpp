#include "roster/swap.h"

#include <gtest/gtest.h>

#include "optimise/workplace.h"
#include "roster/roster_change.h"
#include "roster/work_day_rules.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;
using testing::TallyMismatch;

// Members 1 and 2 on days 1..5: member 1 works type 1 on day 3 only, member 2
// rests on day 3 and works type 2 around it. Swapping day 3 gives member 2 type 1.
ModelBuilder SwapPair() {
  ModelBuilder b(5, 3, 2);
  b.Assign(1, 3, 1);
  b.Assign(2, 1, 2).Assign(2, 2, 2).Assign(2, 4, 2).Assign(2, 5, 2);
  return b;
}

RuleVerdict Check(ConditionModel& model, int a, int b, int d,
                  SwapRule rule = SwapRule::kWithWorkDayTarget) {
  SwapDuties(model, a, b, d);
  const RuleVerdict result = SwapCheck(model, a, b, d, rule);
  SwapDuties(model, b, a, d);
  return result;
}

TEST(SwapDuties, TwiceRestoresRosterAndTalliesExactly) {
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    ConditionModel model;
    if (!testing::BuildWorkplaceMonth(seed, model)) continue;
    // Start from odd tallies too (past months' totals), which a swap must keep.
    for (int m = 1; m <= model.MemberCount; ++m) testing::RosterEdit::SetPastTotal(model, m, 1, m);
    const ConditionModel original = model;
    RandomSource random(seed * 7919);
    for (int i = 0; i < 300; ++i) {
      const int a = 1 + static_cast<int>(random.RandomValue() * model.MemberCount);
      const int b = 1 + static_cast<int>(random.RandomValue() * model.MemberCount);
      const int d = static_cast<int>(random.RandomValue() * (model.DayCount + 2));
      SwapDuties(model, a, b, d);
      SwapDuties(model, a, b, d);
      ASSERT_EQ(model.Roster, original.Roster) << "seed " << seed;
      ASSERT_EQ(model.TypeTally, original.TypeTally) << "seed " << seed;
      ASSERT_EQ(model.WorkDays, original.WorkDays) << "seed " << seed;
    }
  }
}

TEST(SwapDuties, KeepsTalliesInStepWithTheRoster) {
  ConditionModel model;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(3, model));
  ASSERT_EQ(TallyMismatch(model), "");
  RandomSource random(11);
  for (int i = 0; i < 2000; ++i) {
    const int a = 1 + static_cast<int>(random.RandomValue() * model.MemberCount);
    const int b = 1 + static_cast<int>(random.RandomValue() * model.MemberCount);
    const int d = 1 + static_cast<int>(random.RandomValue() * model.DayCount);
    SwapDuties(model, a, b, d);
  }
  EXPECT_EQ(TallyMismatch(model), "");
}

TEST(SwapCheck, AcceptsAPlainSwap) {
  ConditionModel model = SwapPair().Build();
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleAccept);
}

TEST(SwapCheck, ReservedCellsNeverMove) {
  ModelBuilder b(5, 3, 2);
  b.Reserve(1, 3, 1);
  ConditionModel model = b.Build();
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);
  EXPECT_EQ(Check(model, 2, 1, 3), kRuleRefuse);
}

TEST(SwapCheck, WorkDayTargetOnlyWhenAsked) {
  ConditionModel model = SwapPair().Target(2, 4).Build();  // member 2 already has 4
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);
  EXPECT_EQ(Check(model, 1, 2, 3, SwapRule::kWithoutWorkDayTarget), kRuleAccept);
}

TEST(SwapCheck, ConsecutiveWorkAndRestLimits) {
  ConditionModel model = SwapPair().MaxConsecWork(4).Build();
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);  // member 2 would work 5 days
  model.MaxConsecWork = 5;
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleAccept);
  // Member 1 rests on all five days after the swap.
  model.MaxConsecRest = 4;
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);
  model.MaxConsecRest = 5;
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleAccept);
}

TEST(SwapCheck, WorkFocusRefusesLongRestNextToLongWork) {
  ConditionModel model = SwapPair().WorkFocus(true).Build();
  // Member 1 would rest 5 days, member 2 work 5: refused.
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);
  model.WorkFocus = false;
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleAccept);
}

TEST(SwapCheck, MemberCombinations) {
  // Members 2 and 3 may not share type 1; member 3 has type 1 on day 3.
  ModelBuilder f(5, 3, 3);
  f.Assign(1, 3, 1).Assign(3, 3, 1).ForbiddenCombo(1, 2, {2, 3});
  ConditionModel forbidden = f.Build();
  EXPECT_EQ(Check(forbidden, 1, 2, 3), kRuleRefuse);
  // A required combination of type 1 with member 1: taking it away leaves it short.
  ModelBuilder r(5, 3, 2);
  r.Assign(1, 3, 1).RequiredCombo(1, 1, {1});
  ConditionModel required = r.Build();
  EXPECT_EQ(Check(required, 1, 2, 3), kRuleRefuse);
}

TEST(SwapCheck, NeverHandsOutADutyTheDayFillingWouldRefuse) {
  // A whole day off.
  ConditionModel day_off = SwapPair().Ban(2, 3, kAnyType).Build();
  EXPECT_EQ(Check(day_off, 1, 2, 3), kRuleRefuse);
  // The member's schedule bars type 1 that day, but not type 3.
  ConditionModel barred = SwapPair().Ban(2, 3, 0b001).Build();
  EXPECT_EQ(Check(barred, 1, 2, 3), kRuleRefuse);
  ConditionModel other = SwapPair().Ban(2, 3, 0b100).Build();
  EXPECT_EQ(Check(other, 1, 2, 3), kRuleAccept);
  // Type 2 on day 2 bars type 1 on day 3; and type 1 bars type 2 on day 4.
  ConditionModel after = SwapPair().NextDayBan(2, 0b001).Build();
  EXPECT_EQ(Check(after, 1, 2, 3), kRuleRefuse);
  ConditionModel before = SwapPair().NextDayBan(1, 0b010).Build();
  EXPECT_EQ(Check(before, 1, 2, 3), kRuleRefuse);
  // A forbidden sequence 2, 1.
  ConditionModel sequence = SwapPair().ForbiddenPattern({2, 1}).Build();
  EXPECT_EQ(Check(sequence, 1, 2, 3), kRuleRefuse);
}

TEST(SwapCheck, ForbiddenCombinationBeyondTheTenthRow) {
  ModelBuilder b(5, 3, 3);
  b.Assign(1, 3, 1).Assign(3, 3, 1);
  for (int i = 0; i < 12; ++i) b.ForbiddenCombo(2, 2, {1, 3});  // rows that never apply
  b.ForbiddenCombo(1, 2, {2, 3});                               // row 13
  ConditionModel model = b.Build();
  EXPECT_EQ(Check(model, 1, 2, 3), kRuleRefuse);
}

TEST(DutyText, RestAbbreviationAndUnknown) {
  ConditionModel model = SwapPair().Build();
  EXPECT_EQ(DutyText(model, 0), "");
  EXPECT_EQ(DutyText(model, 2), "T2");
  EXPECT_EQ(DutyText(model, 4), "Err");
  EXPECT_EQ(DutyText(model, kAnyType), "Err");
  EXPECT_EQ(DutyText(model, -1), "Err");
}

}  // namespace
}  // namespace tsumiki

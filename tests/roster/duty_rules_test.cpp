#include "roster/duty_rules.h"

#include <gtest/gtest.h>

#include "conditions/load_lookups.h"
#include "roster/combos.h"
#include "roster/patterns.h"
#include "roster/run_lengths.h"
#include "support/model_builder.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;

int Bit(int t) {
  return 1 << (t - 1);
}

// Each of the eight tests of CanTakeDuty refuses on its own, and passes otherwise.
TEST(CanTakeDutyTest, EachRuleRefusesOnItsOwn) {
  ModelBuilder base(10, 10, 8);

  {  // 1: the cell already holds a duty
    ConditionModel model = base.Build();
    testing::RosterEdit::WriteUncounted(model, 1, 3, 2);
    EXPECT_FALSE(CanTakeDuty(model, 1, 3, 1));
    EXPECT_TRUE(CanTakeDuty(model, 2, 3, 1));
  }
  {  // 2: the work-day budget is spent
    ConditionModel model = ModelBuilder(base).Target(1, 2).Assign(1, 1, 1).Assign(1, 5, 1).Build();
    EXPECT_FALSE(CanTakeDuty(model, 1, 8, 1));
    model.WorkDayTarget(1) = 3;
    EXPECT_TRUE(CanTakeDuty(model, 1, 8, 1));
  }
  {  // 3: a whole day off bars all ten types; yesterday's duty bars only its types
    ConditionModel model = ModelBuilder(base).Ban(1, 4, kAnyType).NextDayBan(1, Bit(2)).Build();
    for (int t = 1; t <= 10; ++t) EXPECT_FALSE(CanTakeDuty(model, 1, 4, t)) << t;
    testing::RosterEdit::WriteUncounted(model, 2, 4, 1);
    EXPECT_FALSE(CanTakeDuty(model, 2, 5, 2));
    EXPECT_TRUE(CanTakeDuty(model, 2, 5, 3));
  }
  {  // 4: forbidden sequence (4, *): no duty after duty 4, a rest day breaks it
    ConditionModel model = ModelBuilder(base).ForbiddenPattern({4, kAnyType}).Build();
    testing::RosterEdit::WriteUncounted(model, 1, 3, 4);
    EXPECT_FALSE(CanTakeDuty(model, 1, 4, 1));
    EXPECT_TRUE(CanTakeDuty(model, 1, 5, 1));
  }
  {  // 5: a reservation tomorrow that today's duty would bar; skipped on the last day
    ConditionModel model = ModelBuilder(base).NextDayBan(1, Bit(2)).Reserve(1, 6, 2).Build();
    EXPECT_FALSE(CanTakeDuty(model, 1, 5, 1));
    EXPECT_TRUE(CanTakeDuty(model, 1, 5, 3));
    testing::RosterEdit::SetFixed(model, 2, 11, 2);  // beyond the month: never looked at
    EXPECT_TRUE(CanTakeDuty(model, 2, 10, 1));
  }
  {  // 6: a forbidden pair of members 3 and 7 on duty 1
    ConditionModel model = ModelBuilder(base).ForbiddenCombo(1, 2, {3, 7}).Assign(3, 2, 1).Build();
    EXPECT_FALSE(CanTakeDuty(model, 7, 2, 1));
    EXPECT_TRUE(CanTakeDuty(model, 7, 2, 2));
    EXPECT_TRUE(CanTakeDuty(model, 6, 2, 1));
  }
  {  // 7: four work days before and one after make a run of six
    ModelBuilder b(base);
    for (int d : {1, 2, 3, 4, 6}) b.Assign(1, d, 1);
    ConditionModel model = b.MaxConsecWork(5).Build();
    EXPECT_FALSE(CanTakeDuty(model, 1, 5, 1));
    model.MaxConsecWork = 6;
    EXPECT_TRUE(CanTakeDuty(model, 1, 5, 1));
    model.MaxConsecWork = 0;
    EXPECT_TRUE(CanTakeDuty(model, 1, 5, 1));
  }
  {  // 8: a required sequence whose next day is reserved for another duty
    ConditionModel model = ModelBuilder(base).RequiredPattern(4, 5).Reserve(1, 7, 3).Build();
    EXPECT_FALSE(CanTakeDuty(model, 1, 6, 4));
    EXPECT_EQ(model.Roster(1, 6), 0);
    EXPECT_EQ(model.Fixed(1, 6), 0);
  }
}

// Duty 4 begins a required sequence; a test before the last one that refuses
// must leave the cell untouched, a full pass writes it into Roster and Fixed.
TEST(CanTakeDutyTest, AnswersWithoutWritingTheCell) {
  const ConditionModel model = ModelBuilder(10, 5, 8)
                                   .RequiredPattern(4, 5)
                                   .ForbiddenCombo(4, 2, {1, 2})
                                   .Assign(1, 3, 4)
                                   .Build();
  const ConditionModel before = model;
  EXPECT_FALSE(CanTakeDuty(model, 2, 3, 4));
  EXPECT_TRUE(CanTakeDuty(model, 3, 3, 4));  // begins a sequence: fixed when placed
  EXPECT_TRUE(CanTakeDuty(model, 4, 3, 1));
  EXPECT_EQ(model.Roster, before.Roster);
  EXPECT_EQ(model.Fixed, before.Fixed);
}

// The nine-day window at the month's edges and across the previous month.
TEST(ForbiddenPatternHitTest, WindowAtTheEdgesAndAcrossThePreviousMonth) {
  ModelBuilder base = ModelBuilder(30, 5, 3).ForbiddenPattern({1, 2});
  {
    ConditionModel model = ModelBuilder(base).Assign(1, 29, 1).Build();
    EXPECT_TRUE(ForbiddenPatternHit(model, 1, 30, 2));
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 30, 3));
    EXPECT_FALSE(ForbiddenPatternHit(model, 2, 1, 1));
  }
  {  // the previous month's last day counts only while it is in use
    ConditionModel model = ModelBuilder(base).PrevMonth(1, {1}).Build();
    EXPECT_TRUE(ForbiddenPatternHit(model, 1, 1, 2));
    model.UsePrevMonth = false;
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 1, 2));
  }
  {  // a five-day sequence reaching three days into the previous month
    ConditionModel model = ModelBuilder(30, 5, 2)
                               .ForbiddenPattern({1, 1, 1, 1, 2})
                               .PrevMonth(1, {1, 1, 3})
                               .Assign(1, 1, 1)
                               .Build();
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 2, 2));  // tail (m, 3) is 3, not 1
    model.PrevMonthTail(1, 3) = 1;
    EXPECT_TRUE(ForbiddenPatternHit(model, 1, 2, 2));
  }
  {  // "*" at the end needs a duty; a later day already built closes a sequence too
    ConditionModel model =
        ModelBuilder(30, 5, 2).ForbiddenPattern({3, kAnyType}).Assign(1, 11, 2).Build();
    EXPECT_TRUE(ForbiddenPatternHit(model, 1, 10, 3));
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 12, 3));
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 12, 1));
  }
  {  // a sequence with an empty first column is no sequence
    ConditionModel model =
        ModelBuilder(30, 5, 2).ForbiddenPattern({0, 1, 2}).Assign(1, 4, 1).Build();
    EXPECT_FALSE(ForbiddenPatternHit(model, 1, 5, 2));
  }
}

TEST(RunLengthTest, RunsReachIntoThePreviousMonthOnlyWhenTheMonthSoFarBelongsToThem) {
  ConditionModel model =
      ModelBuilder(30, 3, 2).PrevMonth(1, {1, 2, 0, 1}).Assign(1, 1, 1).Assign(1, 2, 1).Build();
  EXPECT_EQ(WorkRunBefore(model, 1, 3), 5);  // days 1, 2 and two days of the tail
  EXPECT_EQ(WorkRunBefore(model, 1, 1), 3);
  EXPECT_EQ(OffRunBefore(model, 1, 3), 1);
  EXPECT_EQ(OffRunBefore(model, 2, 3), 13);  // the whole month so far and ten empty days
  model.UsePrevMonth = false;
  EXPECT_EQ(WorkRunBefore(model, 1, 3), 3);
  EXPECT_EQ(OffRunBefore(model, 2, 3), 3);

  testing::RosterEdit::WriteUncounted(model, 1, 4, 2);
  testing::RosterEdit::WriteUncounted(model, 1, 5, 2);
  testing::RosterEdit::WriteUncounted(model, 1, 30, 1);
  EXPECT_EQ(WorkRunAround(model, 1, 3), 5);
  EXPECT_EQ(WorkRunAround(model, 1, 29), 2);  // the day after the month is never work
}

// A reserved night is in the roster before its morning-after: the run through it
// counts the morning-after the day filling will place, for a single duty and for a
// sequence alike.
TEST(RunLengthTest, AReservedSequenceStartCountsItsFollowers) {
  ModelBuilder base = ModelBuilder(30, 5, 2).RequiredPattern(4, 5).Reserve(1, 14, 4);
  {
    ModelBuilder b(base);
    for (int d : {10, 11, 12}) b.Assign(1, d, 1);
    ConditionModel model = b.MaxConsecWork(5).Build();
    EXPECT_EQ(WorkRunFrom(model, 1, 14), 2);
    EXPECT_EQ(WorkRunAround(model, 1, 13), 6);  // days 10..15
    EXPECT_FALSE(CanTakeDuty(model, 1, 13, 1));
    model.MaxConsecWork = 6;
    EXPECT_TRUE(CanTakeDuty(model, 1, 13, 1));
  }
  {  // a follower already in the roster is counted once; a rest day ends the run
    ConditionModel model = ModelBuilder(base).Assign(1, 15, 5).Build();
    EXPECT_EQ(WorkRunFrom(model, 1, 14), 2);
    EXPECT_EQ(WorkRunFrom(model, 1, 16), 0);
    EXPECT_EQ(WorkRunFrom(model, 2, 14), 0);
  }
  {  // a sequence that ends right before the reserved night: days 12 to 15
    ConditionModel model = ModelBuilder(base).RequiredPattern(3, 1).MaxConsecWork(3).Build();
    EXPECT_TRUE(RequiredPatternConflict(model, 1, 12, 3));
    EXPECT_EQ(model.Roster(1, 12), 0);
    model.MaxConsecWork = 4;
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 12, 3));
  }
}

TEST(RequiredPatternConflictTest, ChainChecksFixedBansAndTheWorkLimit) {
  ModelBuilder base = ModelBuilder(30, 5, 3).RequiredPattern(4, 5).RequiredPattern(5, 1);
  {  // chain 4 -> 5 -> 1: the banned duty two days ahead is a conflict
    ConditionModel model = ModelBuilder(base).Ban(1, 12, Bit(1)).Build();
    EXPECT_TRUE(RequiredPatternConflict(model, 1, 10, 4));
    EXPECT_EQ(model.Roster(1, 10), 0);
    EXPECT_FALSE(RequiredPatternConflict(model, 2, 10, 4));
  }
  {  // a reservation matching the chain is no conflict; the chain stops at month end
    ConditionModel model = ModelBuilder(base).Reserve(1, 11, 5).Build();
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 10, 4));
    EXPECT_FALSE(RequiredPatternConflict(model, 2, 30, 4));
  }
  {  // the run the chain makes: two work days before plus three of the chain
    ConditionModel model =
        ModelBuilder(base).Assign(1, 8, 1).Assign(1, 9, 1).MaxConsecWork(5).Build();
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 10, 4));
    model = ModelBuilder(base).Assign(1, 8, 1).Assign(1, 9, 1).MaxConsecWork(4).Build();
    EXPECT_TRUE(RequiredPatternConflict(model, 1, 10, 4));
  }
  {  // the day after the chain holds a reservation the chain's last duty bars
    ConditionModel model = ModelBuilder(base).NextDayBan(1, Bit(3)).Reserve(1, 13, 3).Build();
    EXPECT_TRUE(RequiredPatternConflict(model, 1, 10, 4));
    model.NextDayBan(1) = Bit(2);
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 10, 4));
  }
  {  // reserved work right after the chain lengthens its run
    ConditionModel model = ModelBuilder(base).Reserve(1, 13, 2).MaxConsecWork(3).Build();
    EXPECT_TRUE(RequiredPatternConflict(model, 1, 10, 4));
    model.MaxConsecWork = 4;
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 10, 4));
  }
  {  // a duty that begins no sequence: no conflict and nothing written
    ConditionModel model = base.Build();
    EXPECT_FALSE(RequiredPatternConflict(model, 1, 10, 2));
    EXPECT_EQ(model.Fixed(1, 10), 0);
  }
}

// A circle 1 -> 2 -> 1 stops at ten entries: the tenth day of the chain (d + 9)
// is checked, the eleventh is not.
TEST(RequiredPatternConflictTest, CircleStopsGrowingAtTenEntries) {
  ModelBuilder base = ModelBuilder(30, 3, 1).RequiredPattern(1, 2).RequiredPattern(2, 1);
  ConditionModel model =
      ModelBuilder(base).Reserve(1, 14, 1).Build();  // chain(10) = 2 due on day 14
  EXPECT_TRUE(RequiredPatternConflict(model, 1, 5, 1));
  model = ModelBuilder(base).Reserve(1, 15, 3).Build();
  EXPECT_FALSE(RequiredPatternConflict(model, 1, 5, 1));
}

TEST(RequiredFollowerTest, EmptyAndAnyFollowersArePassedOver) {
  ConditionModel model = ModelBuilder(30, 5, 1)
                             .RequiredPattern(4, 0)
                             .RequiredPattern(4, kAnyType)
                             .RequiredPattern(4, 3)
                             .Build();
  EXPECT_EQ(RequiredFollower(model, 4), 3);
  EXPECT_EQ(RequiredFollower(model, 3), 0);
}

TEST(ComboRulesTest, ForbiddenCombinationsCountListedMembersOnTheSameDuty) {
  // Rows 3 and 7 carry the numbers 103 and 107; a blank record stands between.
  ModelBuilder b(10, 4, 8);
  b.ForbiddenCombo(2, 2, {1, 2});
  b.model().ForbiddenCombos(++b.model().ForbiddenComboCount) = ComboRule{};
  b.ForbiddenCombo(kAnyType, 3, {3, 5, 7});
  ConditionModel model = b.Assign(3, 4, 1).Assign(5, 4, 1).Assign(1, 4, 2).Build();

  EXPECT_TRUE(ForbiddenComboHit(model, 7, 4, 1));  // the record after the blank one counts
  EXPECT_FALSE(ForbiddenComboHit(model, 7, 4, 2));
  EXPECT_TRUE(ForbiddenComboHit(model, 2, 4, 2));
  EXPECT_FALSE(ForbiddenComboHit(model, 4, 4, 2));  // not listed

  EXPECT_FALSE(ForbiddenComboBreached(model, 3, 4));
  testing::RosterEdit::WriteUncounted(model, 7, 4, 1);
  EXPECT_TRUE(ForbiddenComboBreached(model, 3, 4));
  EXPECT_TRUE(ForbiddenComboBreached(model, 7, 4));
  // Resting together is no combination on a duty.
  EXPECT_FALSE(ForbiddenComboBreached(model, 3, 5));
}

TEST(ComboRulesTest, BreachLooksAtEveryRecord) {
  ModelBuilder b(10, 4, 4);
  for (int r = 1; r <= 15; ++r) b.ForbiddenCombo(3, 2, {1, 4});
  b.ForbiddenCombo(1, 2, {1, 2});
  ConditionModel model = b.Assign(1, 2, 1).Assign(2, 2, 1).Build();
  EXPECT_EQ(model.ForbiddenComboCount, 16);
  EXPECT_TRUE(ForbiddenComboBreached(model, 2, 2));
}

TEST(ComboRulesTest, RequiredShortfallUsesTheFirstRecordOfTheType) {
  ConditionModel model = ModelBuilder(10, 4, 6)
                             .RequiredCombo(2, 2, {1, 2, 3})
                             .RequiredCombo(2, 3, {4, 5, 6})
                             .Assign(1, 3, 2)
                             .Assign(4, 3, 2)
                             .Build();
  EXPECT_EQ(RequiredShortfall(model, 3, 2), 1);
  testing::RosterEdit::WriteUncounted(model, 3, 3, 2);
  EXPECT_EQ(RequiredShortfall(model, 3, 2), 0);
  EXPECT_EQ(RequiredShortfall(model, 3, 1), 0);
}

TEST(MemberRowOfNumberTest, NumbersAreReadAsNumbers) {
  ConditionModel model = ModelBuilder(5, 1, 3).Build();
  model.MemberInfo(2, 1) = "07";
  model.MemberInfo(3, 1) = "7";
  EXPECT_EQ(MemberRowOfNumber(model, 101), 1);
  EXPECT_EQ(MemberRowOfNumber(model, 7), 2);
  EXPECT_EQ(MemberRowOfNumber(model, 8), 0);
}

}  // namespace
}  // namespace tsumiki

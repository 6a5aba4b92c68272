#include "creation/day_filling.h"

#include <gtest/gtest.h>

#include <vector>

#include "creation/candidates.h"
#include "support/model_builder.h"
#include "support/roster_checker.h"
#include "support/roster_edit.h"
#include "support/scripted_host.h"

namespace tsumiki {
namespace {

using testing::CheckOptions;
using testing::CheckRoster;
using testing::JoinProblems;
using testing::ModelBuilder;
using testing::ScriptedHost;

// A model with everything the day filling needs around it, seeded.
struct Filling {
  explicit Filling(ConditionModel m, std::uint64_t seed = 7) : model(std::move(m)), random(seed) {}
  ConditionModel model;
  RunState run;
  RandomSource random;
  ScriptedHost host;
  DayFillContext ctx{model, run, random, host};
};

int StaffOn(const ConditionModel& model, int t, int d) {
  int staff = 0;
  for (int m = 1; m <= model.MemberCount; ++m) staff += model.Roster(m, d) == t ? 1 : 0;
  return staff;
}

TEST(TryDayTest, DayAlreadyStaffedByReservationsNeedsNobody) {
  Filling f(
      ModelBuilder(5, 2, 4).Need(1, 3, 1).Need(2, 3, 1).Reserve(2, 3, 1).Reserve(4, 3, 2).Build());
  const ConditionModel before = f.model;
  EXPECT_EQ(TryDay(f.ctx, 3), DayResult::kFilled);
  EXPECT_EQ(f.model.Roster, before.Roster);
  EXPECT_EQ(f.model.Fixed, before.Fixed);
}

TEST(TryDayTest, UnfillableRequiredCombinationFailsBeforeAnyAttempt) {
  Filling f(
      ModelBuilder(5, 2, 4).Need(1, 2, 1).RequiredCombo(1, 1, {3}).Ban(3, 2, kAnyType).Build());
  const ConditionModel before = f.model;
  EXPECT_EQ(TryDay(f.ctx, 2), DayResult::kFailed);
  EXPECT_EQ(f.run.FailedSlot.type, 0);  // no member search was made
  EXPECT_EQ(f.model.Roster, before.Roster);
}

TEST(TryDayTest, RequiredSequenceFromYesterdayAndThePreviousMonth) {
  ModelBuilder base =
      ModelBuilder(5, 5, 3).RequiredPattern(4, 0).RequiredPattern(4, 5).Need(5, 1, 1);
  {  // day 1 without the previous month: no sequence applies
    Filling f(ModelBuilder(base).PrevMonth(1, {4}).UsePrevMonth(false).Build());
    f.model.NeedTable(5, 1) = 0;
    EXPECT_EQ(TryDay(f.ctx, 1), DayResult::kFilled);
    EXPECT_EQ(f.model.Roster(1, 1), 0);
  }
  {  // with it, the pair whose follower is empty is passed over for the next one
    Filling f(ModelBuilder(base).PrevMonth(1, {4}).Build());
    EXPECT_EQ(TryDay(f.ctx, 1), DayResult::kFilled);
    EXPECT_EQ(f.model.Roster(1, 1), 5);
    EXPECT_EQ(f.model.Fixed(1, 1), 5);
  }
}

// A reservation stands as the planner entered it, even where yesterday's duty
// would call for another one (the tallies counted the reserved duty).
TEST(TryDayTest, RequiredSequenceLeavesAReservationOfAnotherDuty) {
  Filling f(ModelBuilder(5, 3, 2)
                .RequiredPattern(2, 3)
                .Assign(1, 2, 2)
                .Reserve(1, 3, 1)
                .Need(1, 3, 1)
                .Build());
  EXPECT_EQ(TryDay(f.ctx, 3), DayResult::kFilled);
  EXPECT_EQ(f.model.Roster(1, 3), 1);
  EXPECT_EQ(f.model.Fixed(1, 3), 1);
}

// A duty that begins a required sequence and has a required combination: the
// forced member found by ForcedChoice must be taken, and the cell fixed, not
// passed over for another member.
TEST(TryDayTest, ForcedMemberWrittenByTheSequenceRuleIsTaken) {
  ModelBuilder base =
      ModelBuilder(6, 2, 4).Need(1, 3, 1).Need(2, 4, 1).RequiredPattern(1, 2).RequiredCombo(1, 1,
                                                                                            {2});
  {
    Filling f(base.Build());
    IndexArray<int> order(0, 3);
    order(1) = 1;
    order(2) = 2;
    ASSERT_TRUE(FillDayInOrder(f.ctx, order, 3));
    EXPECT_EQ(StaffOn(f.model, 1, 3), 1);
    EXPECT_EQ(f.model.Roster(2, 3), 1);
    EXPECT_EQ(f.model.Fixed(2, 3), 1);
  }
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    Filling f(base.Build(), seed);
    ASSERT_EQ(TryDay(f.ctx, 3), DayResult::kFilled);
    EXPECT_EQ(StaffOn(f.model, 1, 3), 1) << seed;
    EXPECT_EQ(f.model.Roster(2, 3), 1) << seed;
  }
}

// Member 1 is the only one free; whichever type is filled first, the second
// fails. The Fixed mark that placing the sequence's duty made must go too.
TEST(TryDayTest, FailedDayLeavesRosterAndFixedAsTheyWere) {
  Filling f(ModelBuilder(4, 2, 2)
                .Need(1, 2, 1)
                .Need(2, 2, 1)
                .RequiredPattern(1, 2)
                .Ban(2, 2, kAnyType)
                .Build());
  EXPECT_EQ(TryDay(f.ctx, 2), DayResult::kFailed);
  for (int m = 0; m <= 3; ++m) {
    EXPECT_EQ(f.model.Roster(m, 2), 0) << m;
    EXPECT_EQ(f.model.Fixed(m, 2), 0) << m;
  }
  EXPECT_EQ(f.run.FailedSlot.day, 2);
  EXPECT_GE(f.run.FailedSlot.type, 1);
}

TEST(TryDayTest, SameSeedSameDay) {
  ModelBuilder base =
      ModelBuilder(7, 3, 12).NeedEveryDay(1, 3).NeedEveryDay(2, 2).NeedEveryDay(3, 1);
  Filling a(base.Build(), 99);
  Filling b(base.Build(), 99);
  ASSERT_EQ(TryDay(a.ctx, 1), DayResult::kFilled);
  ASSERT_EQ(TryDay(b.ctx, 1), DayResult::kFilled);
  EXPECT_EQ(a.model.Roster, b.model.Roster);
}

TEST(PickMemberTest, RankingOrderAndTies) {
  Filling f(ModelBuilder(6, 2, 3).Build());
  f.model.MemberOrder(1) = 3;
  f.model.MemberOrder(2) = 1;
  f.model.MemberOrder(3) = 2;
  EXPECT_EQ(PickMember(f.ctx, 4, 1), 3);  // all equal: the member order decides
  testing::RosterEdit::SetPastTotal(f.model, 3, kTallyTotal, 2);
  testing::RosterEdit::SetPastTotal(f.model, 1, kTallyTotal, 1);
  EXPECT_EQ(PickMember(f.ctx, 4, 1), 2);  // fewest work days first
  testing::RosterEdit::SetPastTotal(f.model, 2, kTallyTotal, 1);
  testing::RosterEdit::SetPastTotal(f.model, 2, 1, 1);
  EXPECT_EQ(PickMember(f.ctx, 4, 1), 1);  // then fewest turns of this duty
}

// Member 1 worked only yesterday but has more work days; the lone-day bonus
// counts only with WorkFocus.
TEST(PickMemberTest, LoneDayBonusOnlyWithWorkFocus) {
  ModelBuilder base = ModelBuilder(8, 2, 2);
  testing::RosterEdit::WriteUncounted(base.model(), 1, 4, 2);
  testing::RosterEdit::SetPastTotal(base.model(), 1, kTallyTotal, 1);
  testing::RosterEdit::SetPastTotal(base.model(), 2, 1, 1);
  Filling plain(base.Build());
  EXPECT_EQ(PickMember(plain.ctx, 5, 1), 2);
  Filling focus(ModelBuilder(base).WorkFocus(true).Build());
  EXPECT_EQ(PickMember(focus.ctx, 5, 1), 1);
}

TEST(RankCandidatesTest, BonusForLoneDaysAndWholeDaysOffAhead) {
  ConditionModel model = ModelBuilder(10, 2, 3)
                             .Assign(1, 4, 1)
                             .Assign(2, 3, 1)
                             .Ban(1, 6, kAnyType)
                             .Ban(1, 7, kAnyType)
                             .Ban(1, 9, kAnyType)
                             .Ban(2, 6, 1)
                             .Ban(3, 10, kAnyType)
                             .Build();
  CandidateTable table = MakeCandidateTable(3);
  for (int r = 1; r <= 3; ++r) table(r, kCandMember) = r;
  RankCandidates(model, table, 3, 5, 1);
  EXPECT_EQ(table(1, kCandWorkRun), 1);
  EXPECT_EQ(table(1, kCandRanked) - table(1, kCandBalance), 1000 + 200);  // day 8 breaks the chain
  EXPECT_EQ(table(2, kCandOffRun), 1);
  EXPECT_EQ(table(2, kCandRanked) - table(2, kCandBalance), -1000);  // a partial ban is no day off
  EXPECT_EQ(table(1, kCandBalance), table(2, kCandBalance));
  EXPECT_GT(table(3, kCandBalance), table(1, kCandBalance));

  RankCandidates(model, table, 3, 9, 1);  // day 10 is the last day: +100 at most
  EXPECT_EQ(table(3, kCandRanked) - table(3, kCandBalance), 100);
}

TEST(SortCandidatesTest, StableDescendingWithinTheRows) {
  CandidateTable table = MakeCandidateTable(5);
  const int keys[] = {5, 7, 5, 9, 7};
  for (int r = 1; r <= 5; ++r) {
    table(r, kCandMember) = r;
    table(r, kCandBalance) = keys[r - 1];
  }
  CandidateTable part = table;
  SortCandidates(table, kCandColumns, kCandBalance, 1, 5);
  const int expected[] = {4, 2, 5, 1, 3};
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(table(r, kCandMember), expected[r - 1]) << r;

  SortCandidates(part, kCandColumns, kCandBalance, 1, 3);
  const int partial[] = {2, 1, 3, 4, 5};
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(part(r, kCandMember), partial[r - 1]) << r;
}

// Members 4, 2, 5, 1, 3 sorted by keys 9, 7, 7, 5, 5; member 5 wished duty 1 on
// day 1, member 1 a day off and member 3 duty 2: only ties move, and only with
// wishes set.
TEST(SortCandidatesTest, WishesOrderOnlyEqualKeys) {
  ModelBuilder b(3, 2, 5);
  ConditionModel model = b.Build();
  model.Extra.WishDuty(5, 1) = 1;
  model.Extra.WishDuty(1, 1) = kRestDay;
  model.Extra.WishDuty(3, 1) = 2;
  for (const int m : {5, 1, 3}) model.Extra.WishWeight(m, 1) = 4;
  const struct {
    bool soft;
    std::vector<int> expected;
  } cases[] = {{false, {4, 2, 5, 1, 3}}, {true, {4, 5, 2, 3, 1}}};
  for (const auto& c : cases) {
    model.Extra.HasSoft = c.soft;
    CandidateTable table = MakeCandidateTable(5);
    const int members[] = {4, 2, 5, 1, 3};
    const int keys[] = {9, 7, 7, 5, 5};
    for (int r = 1; r <= 5; ++r) {
      table(r, kCandMember) = members[r - 1];
      table(r, kCandBalance) = keys[r - 1];
    }
    PreferWishes(model, table, 5, 1, 1, kCandBalance);
    for (int r = 1; r <= 5; ++r) {
      EXPECT_EQ(table(r, kCandMember), c.expected[static_cast<std::size_t>(r - 1)])
          << (c.soft ? "wishes, row " : "no wishes, row ") << r;
    }
  }
}

}  // namespace
}  // namespace tsumiki

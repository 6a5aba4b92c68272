#include "roster/roster_score.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "roster/roster_change.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

// A month of `days` days with `members` members and `types` duty types; every
// weight 0, every penalty off, nobody with a day-off count.
ConditionModel EmptyMonth(int days, int types, int members) {
  ConditionModel model;
  model.Resize(days, types, members);
  for (int w = 0; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 0.0f;
  for (int m = 1; m <= members; ++m) model.WorkDayTarget(m) = days;
  return model;
}

// Writes one member's month from a text, counted: '-' rest, a digit the duty type.
void SetRow(ConditionModel& model, int m, const std::string& row) {
  for (int d = 1; d <= static_cast<int>(row.size()); ++d) {
    SetDuty(model, m, d, row[d - 1] == '-' ? 0 : row[d - 1] - '0');
  }
}

TEST(RosterScore, EqualCountsScoreZero) {
  ConditionModel model = EmptyMonth(10, 3, 4);
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 1.0f;
  for (int m = 1; m <= 4; ++m) SetRow(model, m, "111222333-");
  EXPECT_EQ(RosterScore(model), 0.0f);
}

TEST(RosterScore, ThreeAndFiveGiveRootTwo) {
  ConditionModel model = EmptyMonth(10, 2, 2);
  model.OptimiseWeights(1) = 1.0f;
  testing::RosterEdit::SetPastTotal(model, 1, 1, 3);
  testing::RosterEdit::SetPastTotal(model, 2, 1, 5);
  EXPECT_EQ(RosterScore(model), std::sqrt(2.0f));
}

TEST(RosterScore, WeightsScaleEachColumnAndTotalIsNotScored) {
  ConditionModel model = EmptyMonth(10, 2, 2);
  model.OptimiseWeights(2) = 0.5f;
  model.OptimiseWeights(kWeightCount) = 2.0f;
  SetRow(model, 1, "2221");      // 6 missing
  SetRow(model, 2, "22222111");  // 2 missing: spread sqrt(8)
  testing::RosterEdit::SetPastTotal(model, 2, kTallyTotal, 30);
  EXPECT_FLOAT_EQ(RosterScore(model), 0.5f * std::sqrt(2.0f) + 2.0f * std::sqrt(8.0f));
}

TEST(RosterScore, FewerThanTwoMembersHaveNoSpread) {
  ConditionModel one = EmptyMonth(10, 2, 1);
  one.OptimiseWeights(1) = 1.0f;
  testing::RosterEdit::SetPastTotal(one, 1, 1, 7);
  EXPECT_EQ(RosterScore(one), 0.0f);
  ConditionModel none = EmptyMonth(10, 2, 0);
  none.OptimiseWeights(1) = 1.0f;
  EXPECT_EQ(RosterScore(none), 0.0f);
}

TEST(RosterScore, ManyMembersDoNotOverflowThePairCount) {
  // 300 members: 300 * 299 does not fit 16 bits.
  ConditionModel model = EmptyMonth(5, 1, 300);
  model.OptimiseWeights(1) = 1.0f;
  for (int m = 1; m <= 300; ++m) {  // 150 ones, 150 zeros
    testing::RosterEdit::SetPastTotal(model, m, 1, m % 2);
  }
  const double expected = std::sqrt((300.0 * 150 - 150.0 * 150) / (300.0 * 299));
  EXPECT_NEAR(RosterScore(model), expected, 1e-6);
}

TEST(RosterScore, IsolatedWorkDayPenaltyAlone) {
  ConditionModel model = EmptyMonth(8, 1, 2);
  model.PreventSingleWork = true;
  SetRow(model, 1, "---1----");  // rest-work-rest on days 3..5: 1 isolated day
  SetRow(model, 2, "1------1");  // day 1 without the tail, and the last day: none
  EXPECT_EQ(RosterScore(model), 2.0f);
  EXPECT_EQ(CountIsolatedWorkDays(model, 1, 1), 1);
  EXPECT_EQ(CountIsolatedWorkDays(model, 2, 1), 0);
  // With the previous month in use day 1 has day 0 as its neighbour.
  model.UsePrevMonth = true;
  EXPECT_EQ(CountIsolatedWorkDays(model, 2, 1), 1);
  EXPECT_EQ(RosterScore(model), 4.0f);
}

TEST(RosterScore, SingleRunPenaltyAlone) {
  ConditionModel model = EmptyMonth(7, 1, 1);
  model.WorkFocus = true;
  SetRow(model, 1, "11-1-11");
  // Single work run on day 4; single rest runs on days 3 and 5.
  EXPECT_EQ(RosterScore(model), 3.0f);
}

TEST(SingleDays, RunsCountOnlyWhenTheyEndInsideTheRange) {
  ConditionModel model = EmptyMonth(6, 1, 1);
  SetRow(model, 1, "1-----");
  EXPECT_EQ(MemberSingleDayCount(model, 1, RunKind::kWork, 1, 0, 6, kLongRunBound), 1);
  // A previous month ending on a work day lengthens the run to 2 days.
  model.UsePrevMonth = true;
  testing::RosterEdit::WriteUncounted(model, 1, 0, 1);
  EXPECT_EQ(MemberSingleDayCount(model, 1, RunKind::kWork, 1, 0, 6, kLongRunBound), 0);
  // A month that ends on a single rest day leaves that run open.
  SetRow(model, 1, "11111-");
  EXPECT_EQ(MemberSingleDayCount(model, 1, RunKind::kRest, 1, 0, 6, kLongRunBound), 0);
  // A run reaching the long-run bound counts as well.
  EXPECT_EQ(MemberSingleDayCount(model, 1, RunKind::kWork, 1, 0, 6, 6), 1);
}

TEST(SingleDays, TotalSumsMembersAndFillsInTheLastDay) {
  ConditionModel model = EmptyMonth(5, 2, 2);
  SetRow(model, 1, "1-1-1");
  SetRow(model, 2, "-2-22");
  int last = 0;
  EXPECT_EQ(SingleDayTotal(model, RunKind::kWork, 1, 0, last), 2 + 1);
  EXPECT_EQ(last, 5);
  EXPECT_EQ(SingleDayTotal(model, RunKind::kRest, 1, 0, last), 2 + 2);
}

TEST(OffRunAround, CountsNeighbouringRestDaysAndTheTail) {
  ConditionModel model = EmptyMonth(7, 1, 1);
  SetRow(model, 1, "11-1-11");
  EXPECT_EQ(OffRunAround(model, 1, 4), 3);
  EXPECT_EQ(OffRunAround(model, 1, 1), 1);
  SetRow(model, 1, "--11111");
  EXPECT_EQ(OffRunAround(model, 1, 2), 2);
  model.UsePrevMonth = true;
  model.PrevMonthTail(1, 1) = 0;
  model.PrevMonthTail(1, 2) = 0;
  model.PrevMonthTail(1, 3) = 2;
  EXPECT_EQ(OffRunAround(model, 1, 2), 4);
  // A work day inside the month stops the walk before the tail.
  SetRow(model, 1, "1-11111");
  EXPECT_EQ(OffRunAround(model, 1, 2), 1);
}

TEST(WorkDayShortfall, SumsMissingDaysAndFlagsExcess) {
  ConditionModel model = EmptyMonth(30, 1, 3);
  model.WorkDayTarget(1) = 20;
  SetRow(model, 1, std::string(18, '1'));
  model.WorkDayTarget(2) = 22;
  SetRow(model, 2, std::string(19, '1'));
  SetRow(model, 3, std::string(5, '1'));  // no day-off count: not counted
  EXPECT_EQ(WorkDayShortfall(model), 5);
  SetRow(model, 2, std::string(23, '1'));
  EXPECT_EQ(WorkDayShortfall(model), -1);
}

}  // namespace
}  // namespace tsumiki

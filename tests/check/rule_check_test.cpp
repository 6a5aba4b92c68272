#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "check/rule_check.h"
#include "support/model_builder.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;
using testing::RosterEdit;

ExtraConditions& Extra(ModelBuilder& b) {
  b.model().Extra.HasHard = true;
  return b.model().Extra;
}

// One broken rule per row on three days, two duty types (T1, T2) and two members
// (numbers 101, 102): the whole finding, reason text included.
TEST(RuleCheck, EachRuleNamesMemberDayAndReason) {
  struct Row {
    std::function<void(ModelBuilder&)> build;
    int member;
    int day;
    RuleKind rule;
    std::string reason;
  };
  const Row rows[] = {
      {[](ModelBuilder& b) { RosterEdit::WriteUncounted(b.model(), 1, 2, kUnknownDuty); }, 1, 2,
       RuleKind::kUnknownDuty, "勤務の略称にない記入です。【勤務名】の略称で入力してください。"},
      {[](ModelBuilder& b) { b.Need(1, 1, 1); }, 0, 1, RuleKind::kStaffShort,
       "「T1」は1人必要ですが0人です（1人不足）。"},
      // Extra staff is allowed on T1, not on the last type.
      {[](ModelBuilder& b) { b.Assign(1, 1, 2).Assign(2, 1, 1); }, 0, 1, RuleKind::kStaffOver,
       "「T2」は0人必要ですが1人です（1人過剰）。"},
      {[](ModelBuilder& b) { RosterEdit::WriteUncounted(b.Reserve(1, 2, 1).model(), 1, 2, 0); },
       1, 2, RuleKind::kReservation, "予約の「T1」ではなく「休み」が入っています。"},
      {[](ModelBuilder& b) { b.Ban(1, 2, kAnyType).Assign(1, 2, 1); }, 1, 2,
       RuleKind::kDayOffRequest, "休み希望の日に「T1」が入っています。"},
      {[](ModelBuilder& b) { b.Ban(1, 2, 1).Assign(1, 2, 1); }, 1, 2, RuleKind::kDutyBan,
       "この日は「T1」に入れない予定です。"},
      {[](ModelBuilder& b) { b.PrevMonth(1, {2}).NextDayBan(2, 1).Assign(1, 1, 1); }, 1, 1,
       RuleKind::kNextDayBan, "前日の「T2」の翌日に「T1」は入れられません。"},
      {[](ModelBuilder& b) {
         b.ForbiddenPattern({1, 0, kAnyType}).Assign(1, 1, 1).Assign(1, 3, 1);
       },
       1, 1, RuleKind::kForbiddenSequence,
       "この日から禁止パターン1（T1→（任意）→*）の並びになっています。"},
      {[](ModelBuilder& b) {
         b.PrevMonth(2, {1}).ForbiddenPattern({1, 1}).Assign(2, 1, 1);
       },
       2, 1, RuleKind::kForbiddenSequence,
       "この日から禁止パターン1（T1→T1）の並びになっています。"},
      {[](ModelBuilder& b) { b.RequiredPattern(1, 2).Assign(1, 1, 1); }, 1, 2,
       RuleKind::kRequiredSequence, "前日の「T1」の翌日は「T2」の決まりですが「休み」です。"},
      {[](ModelBuilder& b) {
         b.ForbiddenCombo(1, 2, {1, 2}).Assign(1, 1, 1).Assign(2, 1, 1);
       },
       0, 1, RuleKind::kForbiddenCombination,
       "組合せ禁止1の職員が「T1」に2人一緒に入っています（member 1、member 2）。"},
      {[](ModelBuilder& b) { b.RequiredCombo(1, 1, {1}).Need(1, 1, 1).Assign(2, 1, 1); }, 0, 1,
       RuleKind::kRequiredCombination, "組合せ必須1の職員が「T1」に1人必要ですが0人です。"},
      {[](ModelBuilder& b) {
         b.MaxConsecWork(2).PrevMonth(1, {1}).Assign(1, 1, 1).Assign(1, 2, 1);
       },
       1, 1, RuleKind::kConsecutiveWork, "この日から3日連続の勤務です（上限2日）。"},
      {[](ModelBuilder& b) { b.Target(1, 2).Assign(1, 1, 1); }, 1, 0, RuleKind::kWorkDayTarget,
       "勤務日数が1日で、目標の2日に足りません。"},
      {[](ModelBuilder& b) { b.Target(2, 0).Assign(2, 3, 1); }, 2, 0, RuleKind::kWorkDayTarget,
       "勤務日数が1日で、目標の0日を超えています。"},
      {[](ModelBuilder& b) { Extra(b).DutyLeast(1, 1) = 1; }, 1, 0, RuleKind::kDutyCount,
       "「T1」が0回で、下限の1回に足りません。"},
      {[](ModelBuilder& b) { Extra(b.Assign(1, 1, 1)).DutyMost(1, 1) = 0; }, 1, 0,
       RuleKind::kDutyCount, "「T1」が1回で、上限の0回を超えています。"},
      // Runs open at the period's edges are not judged: only the middle one is.
      {[](ModelBuilder& b) { Extra(b.Assign(1, 1, 1).Assign(1, 3, 1)).RestRunLeast(1) = 2; }, 1,
       2, RuleKind::kRestRunShort, "この日からの休みが1日だけです（連休は2日以上）。"},
      {[](ModelBuilder& b) { Extra(b.Assign(1, 2, 1)).WorkRunLeast(1) = 2; }, 1, 2,
       RuleKind::kWorkRunShort, "この日からの勤務が1日だけです（連勤は2日以上）。"},
      {[](ModelBuilder& b) {
         b.PrevMonth(1, {1}).Assign(1, 2, 1).Assign(1, 3, 1);
         Extra(b).WorkRunLeast(1) = 2;
         Extra(b).RestRunLeast(1) = 2;
       },
       1, 1, RuleKind::kRestRunShort, "この日からの休みが1日だけです（連休は2日以上）。"},
      {[](ModelBuilder& b) {
         ExtraConditions& x = Extra(b.Assign(1, 3, 1));
         x.SetWeekends(3, 5);  // Friday, Saturday, Sunday
         x.WeekendsMost(1) = 0;
       },
       1, 2, RuleKind::kWeekendsOver, "この週末で勤務する週末が1回になります（上限0回）。"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(RuleId(row.rule)) + ": " + row.reason);
    ModelBuilder builder(3, 2, 2);
    row.build(builder);
    const std::vector<Finding> found = CheckRosterRules(builder.Build());
    ASSERT_EQ(found.size(), 1u) << (found.empty() ? "" : found.back().reason);
    EXPECT_EQ(found[0].member, row.member);
    EXPECT_EQ(found[0].day, row.day);
    EXPECT_EQ(found[0].rule, row.rule);
    EXPECT_EQ(found[0].reason, row.reason);
  }
}

}  // namespace
}  // namespace tsumiki

#include "creation/feasibility_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "roster/duty_refusal.h"
#include "support/model_builder.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;

int Bit(int t) {
  return 1 << (t - 1);
}

// Member 1 asks for duty 1 on day 5 of ten days, with the one rule of the case in
// the way; member 2 is free throughout.
struct RefusalCase {
  const char* rule;
  std::function<void(ModelBuilder&)> set_up;
  DutyRefusal expected;
};

TEST(FirstRefusalTest, NamesTheFirstRuleInTheirOrderAndChangesNothing) {
  const RefusalCase cases[] = {
      {"free", [](ModelBuilder&) {}, DutyRefusal::kNone},
      {"holds it", [](ModelBuilder& b) { b.Assign(1, 5, 1); }, DutyRefusal::kOnThisDuty},
      {"holds another", [](ModelBuilder& b) { b.Reserve(1, 5, 2); }, DutyRefusal::kOnOtherDuty},
      // A day off comes before the reached target.
      {"day off", [](ModelBuilder& b) { b.Ban(1, 5, kAnyType).Target(1, 0); },
       DutyRefusal::kDayOffRequest},
      {"ban", [](ModelBuilder& b) { b.Ban(1, 5, Bit(1)); }, DutyRefusal::kDutyBan},
      {"yesterday",
       [](ModelBuilder& b) { b.NextDayBan(2, Bit(1)).Assign(1, 4, 2); }, DutyRefusal::kNextDayBan},
      {"sequence",
       [](ModelBuilder& b) { b.ForbiddenPattern({2, 1}).Assign(1, 4, 2); },
       DutyRefusal::kForbiddenPattern},
      {"tomorrow",
       [](ModelBuilder& b) { b.NextDayBan(1, Bit(2)).Reserve(1, 6, 2); },
       DutyRefusal::kNextDayReservation},
      {"combination",
       [](ModelBuilder& b) { b.ForbiddenCombo(1, 2, {1, 2}).Assign(2, 5, 1); },
       DutyRefusal::kForbiddenCombo},
      // The run limit comes before the reached target.
      {"run",
       [](ModelBuilder& b) {
         b.MaxConsecWork(2).Assign(1, 3, 2).Assign(1, 4, 2).Target(1, 2);
       },
       DutyRefusal::kConsecutiveLimit},
      // The member's own longest run stands in for the workplace's, shorter or longer.
      {"own run",
       [](ModelBuilder& b) {
         b.MaxConsecWork(5).Assign(1, 3, 2).Assign(1, 4, 2);
         b.model().Extra.WorkRunMost(1) = 2;
       },
       DutyRefusal::kOwnLongestRun},
      {"own longer run",
       [](ModelBuilder& b) {
         b.MaxConsecWork(2).Assign(1, 3, 2).Assign(1, 4, 2);
         b.model().Extra.WorkRunMost(1) = 3;
       },
       DutyRefusal::kNone},
      {"target", [](ModelBuilder& b) { b.Target(1, 1).Assign(1, 1, 2); },
       DutyRefusal::kTargetReached},
      {"required follower blocked",
       [](ModelBuilder& b) { b.RequiredPattern(1, 2).Ban(1, 6, Bit(2)); },
       DutyRefusal::kRequiredPattern},
  };
  for (const RefusalCase& c : cases) {
    ModelBuilder builder(10, 3, 2);
    c.set_up(builder);
    const ConditionModel model = builder.Build();
    EXPECT_EQ(FirstRefusal(model, 1, 5, 1), c.expected) << c.rule;
    // The required-sequence test must leave the roster as it was.
    EXPECT_EQ(model.Roster(1, 5), builder.Build().Roster(1, 5)) << c.rule;
  }
  // The sequence that fits is not written by the explanation.
  const ConditionModel fits = ModelBuilder(10, 3, 2).RequiredPattern(1, 2).Build();
  EXPECT_EQ(FirstRefusal(fits, 1, 5, 1), DutyRefusal::kNone);
  EXPECT_EQ(fits.Roster(1, 5), 0);
  EXPECT_EQ(fits.Fixed(1, 5), 0);
}

TEST(FirstRefusalTest, ReasonTexts) {
  const std::pair<DutyRefusal, const char*> texts[] = {
      {DutyRefusal::kNone, "就けます"},
      {DutyRefusal::kOnThisDuty, "この勤務に入っています"},
      {DutyRefusal::kOnOtherDuty, "他の勤務（夜）に入っています"},
      {DutyRefusal::kDayOffRequest, "休み希望"},
      {DutyRefusal::kDutyBan, "その日の勤務不可"},
      {DutyRefusal::kNextDayBan, "前日の勤務の翌日禁止"},
      {DutyRefusal::kForbiddenPattern, "禁止パターン"},
      {DutyRefusal::kNextDayReservation, "翌日の予約"},
      {DutyRefusal::kForbiddenCombo, "組合せ禁止"},
      {DutyRefusal::kConsecutiveLimit, "連続勤務上限"},
      {DutyRefusal::kTargetReached, "勤務日数に達した"},
      {DutyRefusal::kRequiredPattern, "必須パターン"},
  };
  for (const auto& [refusal, text] : texts) EXPECT_EQ(RefusalText(refusal, "夜"), text);
}

struct StaffingCase {
  const char* what;
  ConditionModel model;
  const char* fragment;  // nullptr: no problem
};

TEST(FindStaffingProblemTest, RefusesOnlyWhatNoPassCanStaff) {
  const StaffingCase cases[] = {
      {"targets below the staffing",
       ModelBuilder(10, 1, 3).NeedEveryDay(1, 2).Target(1, 6).Target(2, 6).Target(3, 6).Build(),
       "必要人数の合計は 20 人日ですが、職員の勤務日数の目標の合計は 18 日です（2 人日不足）"},
      {"targets above the staffing",
       ModelBuilder(10, 1, 3).NeedEveryDay(1, 2).Target(1, 7).Target(2, 7).Target(3, 7).Build(),
       nullptr},
      {"the run limit leaves eight days",
       ModelBuilder(10, 1, 1).MaxConsecWork(4).Target(1, 9).Build(), "勤務できる日は多くて 8 日"},
      {"a member without days off set asks for no count of work days",
       ModelBuilder(10, 1, 1).MaxConsecWork(4).Build(), nullptr},
      {"more days off allowed bring the fewest work days within reach",
       [] {
         ConditionModel model = ModelBuilder(10, 1, 1).MaxConsecWork(4).Target(1, 9).Build();
         model.Extra.DayOffMost(1) = 2;
         return model;
       }(),
       nullptr},
      {"a short member is the planner's to adjust without the adjustment",
       [] {
         ConditionModel model = ModelBuilder(10, 1, 1).MaxConsecWork(4).Target(1, 9).Build();
         model.WorkDayAdjust = false;
         return model;
       }(),
       nullptr},
      {"last month's run counts",
       ModelBuilder(10, 1, 1).MaxConsecWork(5).Target(1, 9).PrevMonth(1, {1, 1, 1}).Build(),
       "勤務できる日は多くて 8 日"},
      {"a free day after last month's run",
       ModelBuilder(10, 1, 1).MaxConsecWork(5).Target(1, 9).PrevMonth(1, {0, 1, 1}).Build(),
       nullptr},
      {"a day with too few who may",
       ModelBuilder(10, 2, 3)
           .Target(1, 5).Target(2, 5).Target(3, 5)
           .Need(2, 4, 2).Ban(1, 4, kAnyType).Reserve(2, 4, 1)
           .Build(),
       "は 2 人必要ですが、就ける職員は 1 人です。\n"
       "　101 member 1：休み希望\n"},
      {"each duty alone can be staffed, the day's duties together cannot",
       ModelBuilder(10, 2, 3)
           .Target(1, 6).Target(2, 6).Target(3, 6)
           .Need(1, 4, 2).Need(2, 4, 1).Ban(3, 4, kAnyType)
           .Build(),
       "、合わせて 3 人必要ですが、一人が一日に一つの勤務に就くと、同時に配置できるのは 2 人です。\n"
       "　101 member 1：就ける勤務："},
      {"the follower of a reserved duty counts",
       ModelBuilder(10, 2, 2)
           .Target(1, 5).Target(2, 5)
           .RequiredPattern(1, 2).NextDayBan(1, Bit(1) | Bit(2)).Reserve(1, 3, 1).Need(2, 4, 2)
           .Build(),
       nullptr},
  };
  for (const StaffingCase& c : cases) {
    const std::optional<std::string> problem = FindStaffingProblem(c.model);
    if (c.fragment == nullptr) {
      EXPECT_FALSE(problem) << c.what << ": " << problem.value_or("");
    } else {
      ASSERT_TRUE(problem) << c.what;
      EXPECT_NE(problem->find(c.fragment), std::string::npos) << c.what << ": " << *problem;
    }
  }
}

// Fourteen days from a Saturday, two duties, three members (2 and 3 work seven
// days); the optional limits of the case on member 1, their cells named by area
// where the place is unknown.
struct ExtraCase {
  const char* what;
  std::function<void(ModelBuilder&, ExtraConditions&)> set_up;
  const char* fragment;  // nullptr: no problem
};

TEST(FindStaffingProblemTest, NamesTheOptionalLimitThatLeavesNoMonth) {
  const ExtraCase cases[] = {
      {"least counts above the target",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 5);
         x.DutyLeast(1, 1) = x.DutyLeast(1, 2) = 3;
         x.DutyLeastPlace = {"スケジュール", 5, 40};
       },
       "101 member 1 の勤務回数の下限（スケジュール!AN5:AO5）は合わせて 6 回ですが、"
       "勤務日数の目標は 5 日です。\n"},
      {"least counts above the days the run limit leaves",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.MaxConsecWork(3).Target(1, 12).model().WorkDayAdjust = false;
         x.DutyLeast(1, 1) = x.DutyLeast(1, 2) = 6;
       },
       "合わせて 12 回ですが、勤務できる日は多くて 11 日です"},
      {"a least count on a duty barred on most days",
       [](ModelBuilder& b, ExtraConditions& x) {
         for (int d = 3; d <= 14; ++d) b.Ban(1, d, Bit(2));
         x.DutyLeast(1, 2) = 3;
       },
       "101 member 1 の「T2」の下限は 3 回（Duty_Least）ですが、「T2」に就ける日は 2 日です"},
      {"reservations beyond a most count",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Reserve(1, 3, 1).Reserve(1, 5, 1);
         x.DutyMost(1, 1) = 1;
       },
       "「T1」は予約と作成開始日より前の日で 2 回ありますが、上限は 1 回（Duty_Most）です。"},
      {"most counts below the target",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 10);
         x.DutyMost(1, 1) = x.DutyMost(1, 2) = 4;
       },
       "の勤務回数の上限（Duty_Most）は合わせて 8 回ですが、勤務日数の目標は 10 日です。"},
      {"most counts below the target are the planner's without the adjustment",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 10).model().WorkDayAdjust = false;
         x.DutyMost(1, 1) = x.DutyMost(1, 2) = 4;
       },
       nullptr},
      {"most counts below a duty's staffing",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.NeedEveryDay(2, 1);
         x.DutyMost(1, 2) = x.DutyMost(2, 2) = x.DutyMost(3, 2) = 4;
         x.DutyMostPlace = {"スケジュール", 12, 50};
       },
       "「T2」の必要人数は期間中に延べ 14 人ですが、勤務回数の上限（スケジュール!AY12:AY14）と"
       "個人予定では延べ 12 回までです（2 人不足）。"},
      {"a most count used up by a reservation bars the duty",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Reserve(1, 2, 1).Need(1, 5, 2).Ban(3, 5, kAnyType);
         x.DutyMost(1, 1) = 1;
       },
       "は 2 人必要ですが、就ける職員は 1 人です。\n"
       "　101 member 1：勤務回数・週末・連休の条件\n"},
      {"weekend limits below the weekend staffing",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.NeedEveryDay(1, 1);
         x.WeekendsMost(1) = x.WeekendsMost(2) = 0;
         x.WeekendsMost(3) = 1;
       },
       "延べ 2 人（各週末で必要人数の最も多い日の合計）が必要ですが、週末勤務の上限と個人予定では"
       "延べ 1 人までです（1 "
       "人不足）。\n週末勤務の上限を上げるか、週末の必要人数を減らしてください。"
       "上限のある職員：\n　101 member 1：上限 0 回（Weekend_Most）\n"},
      {"weekend limits that leave enough",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.NeedEveryDay(1, 1);
         x.WeekendsMost(1) = x.WeekendsMost(2) = 1;
       },
       nullptr},
      {"rest runs too long for the target under the run limit",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.MaxConsecWork(3).Target(1, 10);
         x.RestRunLeast(1) = 3;
       },
       "101 member 1 は連休の最短 3 日（Rest_Run_Least）では、14 日の期間に勤務日数の目標 10 日を"
       "組めません"},
      {"rest runs that fit",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.MaxConsecWork(5).Target(1, 10);
         x.RestRunLeast(1) = 2;
       },
       nullptr},
      {"work runs longer than the run limit",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.MaxConsecWork(3).Target(1, 7);
         x.WorkRunLeast(1) = 4;
       },
       "は連勤の最短 4 日（Work_Run_Least）では"},
      {"last month's single day off must grow into the month",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 13).PrevMonth(1, {0, 1});
         x.RestRunLeast(1) = 3;
       },
       "連休の最短 3 日（Rest_Run_Least）では、14 日の期間に勤務日数の目標 13 日を"},
      {"last month's days off are long enough",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 13).PrevMonth(1, {0, 0, 0, 1});
         x.RestRunLeast(1) = 3;
       },
       nullptr},
  };
  for (const ExtraCase& c : cases) {
    ModelBuilder builder(14, 2, 3);
    builder.Target(2, 7).Target(3, 7);
    ExtraConditions& extra = builder.model().Extra;
    extra.SetWeekends(14, 6);
    extra.HasHard = true;
    c.set_up(builder, extra);
    const std::optional<std::string> problem = FindStaffingProblem(builder.Build());
    if (c.fragment == nullptr) {
      EXPECT_FALSE(problem) << c.what << ": " << problem.value_or("");
    } else {
      ASSERT_TRUE(problem) << c.what;
      EXPECT_NE(problem->find(c.fragment), std::string::npos) << c.what << ": " << *problem;
    }
  }
}

// Workplaces built to be consistent are never refused.
TEST(FindStaffingProblemTest, PassesConsistentWorkplaces) {
  for (const testing::WorkplaceShape shape :
       {testing::WorkplaceShape{}, testing::WorkplaceShape{40, 8, 31, true, false, 10}}) {
    const std::optional<std::string> problem = FindStaffingProblem(testing::BuildWorkplace(shape));
    EXPECT_FALSE(problem) << problem.value_or("");
  }
}

}  // namespace
}  // namespace tsumiki

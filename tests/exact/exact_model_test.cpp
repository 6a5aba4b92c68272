#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "app/session.h"
#include "exact/cbc_solve.h"
#include "exact/child_solve.h"
#include "exact/exact_model.h"
#include "exact/exact_runner.h"
#include "exact/month_mend.h"
#include "exact/solution_reading.h"
#include "roster/duty_mask.h"
#include "roster/extra_rules.h"
#include "roster/roster_sheet.h"
#include "support/model_builder.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"

namespace tsumiki::exact {
namespace {

namespace fs = std::filesystem;

// The conditions of a workbook of tests/workbooks, loaded as a creation pass loads
// them (the workbook itself is only read).
class LoadedWorkbook {
 public:
  explicit LoadedWorkbook(const std::string& name)
      : path_(fs::path(TSUMIKI_SOURCE_DIR) / "tests" / "workbooks" / (name + ".xlsx")),
        session_(host_, SessionOptions{path_.parent_path(), path_, 1}) {
    EXPECT_TRUE(session_.StartUp());
    EngineContext ctx = session_.Context();
    const int start = LoadRosterConditions(ctx).start_day;
    EXPECT_GE(start, 1);
    if (start > 1) ReadRosterBack(ctx, 1, start - 1, /*quiet=*/true);
  }
  ~LoadedWorkbook() { session_.Close(false); }
  ConditionModel& model() { return session_.Model(); }

 private:
  testing::ScriptedHost host_;
  fs::path path_;
  Session session_;
};

testing::CheckOptions Exact(const ConditionModel& model) {
  testing::CheckOptions options;
  options.work_days_exact = true;
  options.extra_staff_for_targets = true;
  options.first_day = model.StartDay;
  return options;
}

// A month on the roster, through the change path that keeps the tallies.
void ApplyMonth(ConditionModel& model, const IndexGrid<int>& month) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) SetDuty(model, m, d, month(m, d));
  }
}

void ApplySolvedMonth(ConditionModel& model, const ExactModel& exact, const SolveResult& solved) {
  IndexGrid<int> month = model.Roster;
  exact.cells->ReadMonth(solved.values, month);
  ApplyMonth(model, month);
}

// Every month the model returns keeps the rules as the independent checker reads
// them: workplaces with a required sequence and combinations (t1), building from
// mid-month (t4), the previous month's tail (t3) and dense requests (l9).
TEST(ExactModel, EveryMonthFoundPassesTheChecker) {
  for (const char* name : {"t1-care21-march", "t3-care24-prevtail", "t4-clinic10-midmonth",
                           "l9-nsp36x4"}) {
    SCOPED_TRACE(name);
    LoadedWorkbook loaded(name);
    ConditionModel& model = loaded.model();
    const ExactModel exact = BuildExactModel(model, ModelKind::kMonth);
    const SolveResult solved = SolveWithCbc(exact.lp, SolveLimits{60, nullptr});
    ASSERT_EQ(solved.status, SolveStatus::kSolved);
    ApplySolvedMonth(model, exact, solved);
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, Exact(model))), "");
  }
}

// The optional limits, each set for the last three members of a care home of 21
// (who ask for no single days off): the month found keeps them.
TEST(ExactModel, TheMonthKeepsTheOptionalLimits) {
  const std::function<void(ExtraConditions&, int)> limits[] = {
      [](ExtraConditions& x, int m) { x.WeekendsMost(m) = 2; },
      [](ExtraConditions& x, int m) { x.WorkRunLeast(m) = 2; },
      [](ExtraConditions& x, int m) { x.DutyMost(m, 1) = 4; },
      [](ExtraConditions& x, int m) { x.DutyLeast(m, 2) = 2; },
  };
  for (std::size_t i = 0; i < std::size(limits); ++i) {
    SCOPED_TRACE("limit " + std::to_string(i));
    LoadedWorkbook loaded("t1-care21-march");
    ConditionModel& model = loaded.model();
    for (int m = model.MemberCount - 2; m <= model.MemberCount; ++m) limits[i](model.Extra, m);
    model.Extra.HasHard = true;
    const ExactModel exact = BuildExactModel(model, ModelKind::kMonth);
    const SolveResult solved = SolveWithCbc(exact.lp, SolveLimits{60, nullptr});
    ASSERT_EQ(solved.status, SolveStatus::kSolved);
    ApplySolvedMonth(model, exact, solved);
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, Exact(model))), "");
  }
}

// A month the model finds before the optional limits are set, mended member by
// member once they are: the month keeps every rule and limit.
TEST(MonthMend, AMonthThatBreaksTheOptionalLimitsIsMendedToKeepThem) {
  const std::function<void(ExtraConditions&, int)> limits[] = {
      [](ExtraConditions& x, int m) { x.WeekendsMost(m) = 2; },
      [](ExtraConditions& x, int m) { x.WorkRunLeast(m) = 3; },
      [](ExtraConditions& x, int m) { x.DutyMost(m, 1) = 4; },
      [](ExtraConditions& x, int m) { x.DutyLeast(m, 2) = 3; },
  };
  int broken = 0;
  for (std::size_t i = 0; i < std::size(limits); ++i) {
    SCOPED_TRACE("limit " + std::to_string(i));
    LoadedWorkbook loaded("t1-care21-march");
    ConditionModel& model = loaded.model();
    const ExactModel plain = BuildExactModel(model, ModelKind::kMonth);
    const SolveResult first = SolveWithCbc(plain.lp, SolveLimits{60, nullptr});
    ASSERT_EQ(first.status, SolveStatus::kSolved);
    ApplySolvedMonth(model, plain, first);
    for (int m = model.MemberCount - 2; m <= model.MemberCount; ++m) limits[i](model.Extra, m);
    model.Extra.HasHard = true;
    broken += ExtraLimitsKept(model) ? 0 : 1;
    const std::optional<IndexGrid<int>> mended = MendByMembers(model, 20, nullptr);
    ASSERT_TRUE(mended);
    ApplyMonth(model, *mended);
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, Exact(model))), "");
  }
  EXPECT_GE(broken, 3);  // most months had a limit to mend
}

// One member of a target of 6 in 10 days, with days barred: the first month works
// the target where it can, and fewer only as far as 休日数の上限 allows.
TEST(ExactModel, TheTargetComesFirstAndTheRangeOfDaysOffWhereItMust) {
  struct Case {
    int barred;
    int most_off;  // kNoLimit: exactly the target
    bool found;
  };
  const Case cases[] = {{0, 6, true}, {5, 6, true}, {5, kNoLimit, false}, {7, 6, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("barred " + std::to_string(c.barred) + ", most off " + std::to_string(c.most_off));
    testing::ModelBuilder builder(10, 1, 1);
    builder.Target(1, 6);
    for (int d = 1; d <= c.barred; ++d) builder.Ban(1, d, kAnyType);
    ConditionModel model = builder.Build();
    model.Extra.DayOffMost(1) = c.most_off;
    const ExactModel exact = BuildExactModel(model, ModelKind::kMonth);
    const MonthSolve solved = SolveMonth(exact, 30, nullptr);
    ASSERT_EQ(solved.found, c.found);
    if (!c.found) continue;
    ApplySolvedMonth(model, exact, solved.solved);
    if (c.barred == 0) {
      EXPECT_EQ(model.WorkDays(1), 6);
    }
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, Exact(model))), "");
  }
}

// The weighted misses of a month, counted from the roster: wishes not granted and
// members short of the desired staffing.
double SoftPenalty(const ConditionModel& model) {
  const ExtraConditions& x = model.Extra;
  double penalty = 0;
  for (int d = 1; d <= model.DayCount; ++d) {
    for (int m = 1; m <= model.MemberCount; ++m) {
      if (x.WishWeight(m, d) > 0 && model.Roster(m, d) != x.WishDuty(m, d)) penalty += x.WishWeight(m, d);
    }
    for (int t = 1; t <= model.TypeCount; ++t) {
      int staff = 0;
      for (int m = 1; m <= model.MemberCount; ++m) staff += model.Roster(m, d) == t ? 1 : 0;
      penalty += x.DesiredWeight(t) * std::max(0, x.DesiredStaff(t, d) - staff);
    }
  }
  return penalty;
}

// Wishes and desired staffing set against the first month the model finds (every
// wish missed there, every desired member short): with them weighed, the month
// found misses less, keeps every rule, and the solver's objective is its penalty
// less the constant part (the weights of the wishes for a duty).
TEST(ExactModel, WeighedWishesAndDesiredStaffingLowerThePenalty) {
  const std::function<double(ConditionModel&, const IndexGrid<int>&)> soft[] = {
      [](ConditionModel& model, const IndexGrid<int>& first) {  // a day off where one works
        for (int m = 1; m <= 6; ++m) {
          for (int d = 1; d <= model.DayCount; ++d) {
            if (first(m, d) == kRestDay || model.Fixed(m, d) != 0) continue;
            model.Extra.WishDuty(m, d) = kRestDay;
            model.Extra.WishWeight(m, d) = 3;
            break;
          }
        }
        return 0.0;
      },
      [](ConditionModel& model, const IndexGrid<int>& first) {  // the day duty where one rests
        double constant = 0;
        for (int m = 1; m <= 6; ++m) {
          for (int d = 2; d <= model.DayCount; ++d) {
            if (first(m, d) != kRestDay || MaskHasDuty(model.DutyBanMask(m, d), 1)) continue;
            model.Extra.WishDuty(m, d) = 1;
            model.Extra.WishWeight(m, d) = 2;
            constant += 2;
            break;
          }
        }
        return constant;
      },
      [](ConditionModel& model, const IndexGrid<int>& first) {  // one more on the day duty
        model.Extra.DesiredWeight(1) = 5;
        for (int d = 1; d <= 7; ++d) {
          int staff = 0;
          for (int m = 1; m <= model.MemberCount; ++m) staff += first(m, d) == 1 ? 1 : 0;
          model.Extra.DesiredStaff(1, d) = staff + 1;
        }
        return 0.0;
      },
  };
  for (std::size_t i = 0; i < std::size(soft); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    LoadedWorkbook loaded("t1-care21-march");
    ConditionModel& model = loaded.model();
    const ExactModel plain = BuildExactModel(model, ModelKind::kMonth);
    ASSERT_FALSE(plain.has_objective);
    const SolveResult first = SolveWithCbc(plain.lp, SolveLimits{60, nullptr});
    ASSERT_EQ(first.status, SolveStatus::kSolved);
    ApplySolvedMonth(model, plain, first);
    const IndexGrid<int> first_month = model.Roster;
    const double constant = soft[i](model, first_month);
    model.Extra.HasSoft = true;
    const double first_penalty = SoftPenalty(model);

    // Bettered a few members at a time from the first month.
    ConditionModel bettered = model;
    const std::optional<IndexGrid<int>> better = BetterByMembers(bettered, 10, nullptr);
    ASSERT_TRUE(better);
    ApplyMonth(bettered, *better);
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(bettered, Exact(bettered))), "");
    EXPECT_LT(SoftPenalty(bettered), first_penalty);

    const ExactModel weighed = BuildExactModel(model, ModelKind::kMonth);
    ASSERT_TRUE(weighed.has_objective);
    const SolveResult best = SolveWithCbc(weighed.lp, SolveLimits{60, nullptr, true});
    ASSERT_TRUE(FoundMonth(weighed, best));
    ApplySolvedMonth(model, weighed, best);
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, Exact(model))), "");
    EXPECT_LT(SoftPenalty(model), first_penalty);
    EXPECT_NEAR(SoftPenalty(model), best.objective + constant, 1e-6);
  }
}

// Workplaces that cannot be staffed: the proof, and the least total of what must
// give, with its items adding up to it (solved in a child process, as a run does,
// so the values come back through the pipe).
TEST(ExactModel, NoMonthGivesTheLeastRelaxation) {
  const struct {
    const char* name;
    int total;
  } cases[] = {{"t7-cannot-staff", 14}, {"t8-care22-tight", 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedWorkbook loaded(c.name);
    const ConditionModel& model = loaded.model();
    ASSERT_EQ(SolveWithCbc(BuildExactModel(model, ModelKind::kMonth).lp, {60, nullptr}).status,
              SolveStatus::kInfeasible);
    const ExactModel relaxed = BuildExactModel(model, ModelKind::kRelaxation);
    const SolveResult least = SolveInChild(relaxed.lp, {60, nullptr});
    ASSERT_EQ(least.status, SolveStatus::kSolved);
    const Relaxation relaxation = ReadRelaxation(model, relaxed, least);
    EXPECT_EQ(relaxation.total, c.total);
    int sum = 0;
    for (const Shortfall& item : relaxation.items) sum += item.amount;
    EXPECT_EQ(sum, c.total);
  }
}

// A week from a Saturday of one duty, one person a day, between two members
// (targets 4 and 3), with one optional limit of member 1 that leaves no month: the
// least relaxation gives that limit, cheaper than moving work days between them.
TEST(ExactModel, TheRelaxationNamesTheOptionalLimitThatGives) {
  using testing::ModelBuilder;
  const struct {
    const char* what;
    std::function<void(ModelBuilder&, ExtraConditions&)> set_up;
    const char* text;
  } cases[] = {
      {"most count", [](ModelBuilder&, ExtraConditions& x) { x.DutyMost(1, 1) = 2; },
       "101 member 1: 「T1」の上限を 2 回増やす\n"},
      {"least count", [](ModelBuilder&, ExtraConditions& x) { x.DutyLeast(1, 1) = 6; },
       "101 member 1: 「T1」の下限を 2 回減らす\n"},
      {"weekends",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Ban(2, 1, kAnyType).Ban(2, 2, kAnyType);
         x.WeekendsMost(1) = 0;
       },
       "101 member 1: 週末勤務の上限を 1 回増やす\n"},
      {"rest run",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 5).Target(2, 2).Reserve(1, 1, 1).Reserve(1, 7, 1);
         x.RestRunLeast(1) = 3;
       },
       "101 member 1: 連休の最短を 1 日短くする\n"},
      {"work run",
       [](ModelBuilder& b, ExtraConditions& x) {
         b.Target(1, 3).Target(2, 4).Ban(1, 1, kAnyType).Ban(1, 7, kAnyType);
         x.WorkRunLeast(1) = 4;
       },
       "101 member 1: 連勤の最短を 1 日短くする\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ModelBuilder builder(7, 1, 2);
    builder.NeedEveryDay(1, 1).Target(1, 4).Target(2, 3);
    ExtraConditions& extra = builder.model().Extra;
    extra.SetWeekends(7, 6);
    extra.HasHard = true;
    c.set_up(builder, extra);
    const ConditionModel model = builder.Build();
    ASSERT_EQ(SolveWithCbc(BuildExactModel(model, ModelKind::kMonth).lp, {60, nullptr}).status,
              SolveStatus::kInfeasible);
    const ExactModel relaxed = BuildExactModel(model, ModelKind::kRelaxation);
    const SolveResult least = SolveWithCbc(relaxed.lp, {60, nullptr});
    ASSERT_EQ(least.status, SolveStatus::kSolved);
    EXPECT_EQ(RelaxationText(model, ReadRelaxation(model, relaxed, least)), c.text);
  }
}

// A stop request ends the solve and joins the thread; what it found by then is no
// answer.
TEST(ExactRunner, StopJoinsTheThreadWithoutAnAnswer) {
  LoadedWorkbook loaded("l11-nsp50x6");
  ExactRunner runner;
  runner.Start(loaded.model(), 600);
  EXPECT_FALSE(runner.Poll().has_value());
  runner.Stop();
  const std::optional<ExactAnswer> answer = runner.Poll();
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->kind, ExactAnswer::Kind::kStopped);
}

}  // namespace
}  // namespace tsumiki::exact

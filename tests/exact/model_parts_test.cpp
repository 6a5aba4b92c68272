#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "exact/cbc_solve.h"
#include "exact/linear_model.h"
#include "exact/model_parts.h"

namespace tsumiki::exact {
namespace {

int solves = 0;
SolveResult CountedSolve(const LinearModel& lp, const SolveLimits& limits) {
  ++solves;
  return SolveWithCbc(lp, limits);
}

LinearExpr Sum(std::vector<int> columns) {
  LinearExpr expr;
  for (int c : columns) expr.terms.emplace_back(c, 1.0);
  return expr;
}

// Two members with one duty each a day (columns 0-1 and 2-3), bound only by a
// desired-staffing row that its shortfall column settles and by a row that
// always holds; a third part that cannot be met; a row that truly binds them; a
// row of given cells only (no columns) that cannot hold.
TEST(ModelParts, PartsAreSolvedAloneAndJoinedIntoOneSolution) {
  struct Case {
    const char* name;
    bool infeasible_part;
    bool binding_row;
    bool impossible_row;
    SolveStatus status;
    int solves;
  };
  const Case cases[] = {
      {"two parts", false, false, false, SolveStatus::kSolved, 2},
      {"a part with no solution", true, false, false, SolveStatus::kInfeasible, 3},
      {"bound into one part", false, true, false, SolveStatus::kSolved, 1},
      {"a row of given cells that cannot hold", false, false, true, SolveStatus::kInfeasible, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinearModel lp;
    for (int i = 0; i < 4; ++i) lp.AddColumn(0, 1, 0);
    lp.AddRow(Sum({0, 1}), 1, 1);
    lp.AddRow(Sum({2, 3}), 1, 1);
    LinearExpr desired = Sum({0, 2});
    desired.terms.emplace_back(lp.AddColumn(0, 2, 0), 1.0);
    lp.AddRow(desired, 2, kUnbounded);
    lp.AddRow(Sum({1, 3}), 0, kUnbounded);
    if (c.infeasible_part) {
      const int a = lp.AddColumn(0, 1, 0);
      const int b = lp.AddColumn(0, 1, 0);
      lp.AddRow(Sum({a, b}), 3, 3);
    }
    if (c.binding_row) lp.AddRow(Sum({0, 2}), 1, 1);
    if (c.impossible_row) lp.AddRow(LinearExpr{{}, 1}, 0, 0);
    solves = 0;
    const SolveResult solved = SolveByParts(lp, SolveLimits{10, nullptr}, CountedSolve);
    EXPECT_EQ(solved.status, c.status);
    EXPECT_EQ(solves, c.solves);
    if (c.status != SolveStatus::kSolved) continue;
    ASSERT_EQ(solved.values.size(), lp.Columns().size());
    EXPECT_TRUE(lp.Holds(solved.values));
    // Settled apart, the shortfall is the least that makes its row hold.
    if (c.solves > 1) {
      EXPECT_EQ(solved.values[4], 2 - solved.values[0] - solved.values[2]);
    }
  }
}

// Fixed columns fold into the rows; a row of fixed columns only is dropped where
// it holds and kept (empty, so infeasible) where it cannot; the solution of the
// smaller model, expanded, is one of the whole.
TEST(ModelParts, FixedColumnsAreLeftOutAndPutBack) {
  struct Case {
    const char* name;
    double fixed_sum;  // bounds of the row over the fixed columns 1 and 2 (fixed at 1 and 0)
    SolveStatus status;
    std::size_t rows;
  };
  const Case cases[] = {
      {"a held row that holds", 1, SolveStatus::kSolved, 1},
      {"a held row that cannot", 2, SolveStatus::kInfeasible, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinearModel lp;
    for (int i = 0; i < 4; ++i) lp.AddColumn(0, 1, 1);
    lp.FixColumn(1, 1);
    lp.FixColumn(2, 0);
    lp.AddRow(Sum({0, 1, 3}), 2, 3);  // with column 1 at 1: 1 <= x0 + x3 <= 2
    lp.AddRow(Sum({1, 2}), c.fixed_sum, c.fixed_sum);
    std::vector<int> kept;
    const LinearModel reduced = WithoutFixedColumns(lp, kept);
    EXPECT_EQ(kept, (std::vector<int>{0, 3}));
    EXPECT_EQ(reduced.Rows().size(), c.rows);
    const SolveResult solved = SolveWithCbc(reduced, SolveLimits{10, nullptr});
    EXPECT_EQ(solved.status, c.status);
    if (c.status != SolveStatus::kSolved) continue;
    const std::vector<double> all = WithFixedColumns(lp, kept, solved.values);
    EXPECT_TRUE(lp.Holds(all));
    EXPECT_DOUBLE_EQ(lp.CostOf(all), 2);  // column 1 and one of 0 and 3
  }
}

// A solution is judged whole before it is taken: a row, a bound or a fraction
// it breaks makes it none (the solver's word that it is optimal aside).
TEST(ModelParts, ASolutionThatBreaksTheModelIsToldApart) {
  LinearModel lp;
  for (int i = 0; i < 3; ++i) lp.AddColumn(0, 1, 0);
  LinearExpr run = Sum({0, 2});
  run.terms.emplace_back(1, -1.0);
  lp.AddRow(run, -kUnbounded, 1);  // no lone day off between two work days
  const std::pair<std::vector<double>, bool> cases[] = {
      {{1, 1, 1}, true}, {{1, 0, 1}, false}, {{0, 2, 0}, false}, {{0, 0.5, 0}, false}, {{1, 1}, false}};
  for (const auto& [values, holds] : cases) EXPECT_EQ(lp.Holds(values), holds) << values.size();
}

}  // namespace
}  // namespace tsumiki::exact

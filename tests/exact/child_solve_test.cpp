#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "exact/child_solve.h"
#include "exact/solve_wire.h"

namespace tsumiki::exact {
namespace {

// Three 0/1 columns, at least two of them chosen, at least cost: 1 + 2.
LinearModel TwoOfThree() {
  LinearModel lp;
  LinearExpr chosen;
  for (const double cost : {2.0, 1.0, 3.0}) chosen.terms.emplace_back(lp.AddColumn(0, 1, cost), 1);
  lp.AddRow(chosen, 2, kUnbounded);
  return lp;
}

TEST(SolveWire, ARequestReadsBackAsWrittenAndNothingShortOrDamaged) {
  const LinearModel lp = TwoOfThree();
  const std::string bytes = EncodeSolveRequest(lp, {7.5, nullptr, true});
  const std::optional<SolveRequest> back = DecodeSolveRequest(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->seconds, 7.5);
  EXPECT_TRUE(back->wall_clock);
  ASSERT_EQ(back->lp.Columns().size(), 3u);
  EXPECT_EQ(back->lp.Columns()[2].cost, 3.0);
  ASSERT_EQ(back->lp.Rows().size(), 1u);
  EXPECT_EQ(back->lp.Rows()[0].terms, lp.Rows()[0].terms);
  EXPECT_EQ(back->lp.Rows()[0].lower, 2.0);

  std::string column_out_of_range = bytes;
  column_out_of_range[column_out_of_range.size() - 12] = 9;  // the last term's column
  for (const std::string& damaged :
       {bytes.substr(0, bytes.size() - 1), bytes + '\0', std::string(), column_out_of_range})
    EXPECT_FALSE(DecodeSolveRequest(damaged).has_value()) << damaged.size();
}

// The solver is a program started anew, not a copy of this one: another thread
// that holds the allocator's locks at that moment cannot leave it waiting on them.
TEST(SolveInChild, SolvesWhileAnotherThreadAllocates) {
  std::atomic<bool> done = false;
  std::size_t allocated = 0;
  std::thread allocating([&] {
    while (!done) {
      const std::vector<std::string> strings(64, std::string(100, 'x'));
      allocated += strings.size();
    }
  });
  const LinearModel lp = TwoOfThree();
  int solved = 0;
  for (; solved < 20; ++solved) {
    SolveLimits limits{10, nullptr};
    limits.deadline = DeadlineAfter(std::chrono::steady_clock::now(), 10);
    const SolveResult result = SolveInChild(lp, limits);
    if (result.status != SolveStatus::kSolved || result.objective != 3.0) break;
  }
  done = true;
  allocating.join();
  EXPECT_EQ(solved, 20);
  EXPECT_GT(allocated, 0u);
}

// A solve cut short by its deadline kills the solver; the next one starts another.
TEST(SolveInChild, ASolverKilledAtTheDeadlineIsReplaced) {
  LinearModel slow;
  LinearExpr chosen;
  for (int i = 0; i < 3000; ++i) chosen.terms.emplace_back(slow.AddColumn(0, 1, 1 + i % 7), 1 + i % 5);
  slow.AddRow(chosen, 1000.5, kUnbounded);
  SolveLimits limits{60, nullptr};
  limits.deadline = DeadlineAfter(std::chrono::steady_clock::now(), 0.02);
  const SolveResult cut = SolveInChild(slow, limits);
  EXPECT_EQ(cut.status, SolveStatus::kStopped);
  EXPECT_TRUE(cut.values.empty());
  const SolveResult next = SolveInChild(TwoOfThree(), {10, nullptr});
  EXPECT_EQ(next.status, SolveStatus::kSolved);
  EXPECT_EQ(next.objective, 3.0);
}

}  // namespace
}  // namespace tsumiki::exact

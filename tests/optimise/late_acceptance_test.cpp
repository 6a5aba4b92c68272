#include "optimise/local_search/late_acceptance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tsumiki {
namespace {

// A history of 3 starting at 10: the candidate of step s is judged against the
// current cost and what slot s mod 3 holds, the current cost after step s - 3.
TEST(LateAcceptance, JudgesAgainstTheCurrentCostAndTheCostLengthStepsBack) {
  struct Case {
    int next;
    bool kept;
    int current;  // after the step
  };
  const std::vector<Case> cases = {
      {9, true, 9},     // better
      {12, false, 9},   // worse than now and than the start
      {10, true, 10},   // worse than now, no worse than the start in slot 2
      {11, false, 10},  // slot 0 holds the 9 of step 0
      {10, true, 10},   // a tie walks the plateau
      {10, true, 10},
      {11, false, 10},  // slot 0 holds the 10 that step 3 wrote in refusing
  };
  LateAcceptance<int> acceptor(3, 10);
  for (std::size_t step = 0; step < cases.size(); ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    EXPECT_EQ(acceptor.Accept(cases[step].next, static_cast<std::int64_t>(step)), cases[step].kept);
    EXPECT_EQ(acceptor.Current(), cases[step].current);
  }
}

TEST(LateAcceptance, AHistoryOfOneIsPlainHillClimbingWithTies) {
  LateAcceptance<float> acceptor(1, 5.0F);
  EXPECT_FALSE(acceptor.Accept(5.5F, 0));
  EXPECT_TRUE(acceptor.Accept(5.0F, 1));
  EXPECT_TRUE(acceptor.Accept(4.0F, 2));
  EXPECT_FALSE(acceptor.Accept(4.5F, 3));
  EXPECT_EQ(acceptor.Current(), 4.0F);
}

// After a reset the costs from before it no longer let a worse candidate through.
TEST(LateAcceptance, AResetForgetsTheHistory) {
  LateAcceptance<int> acceptor(4, 100);
  EXPECT_TRUE(acceptor.Accept(50, 0));
  EXPECT_TRUE(acceptor.Accept(90, 1));  // slot 1 still holds the start's 100
  acceptor.Reset(40);
  EXPECT_EQ(acceptor.Current(), 40);
  for (std::int64_t step = 2; step < 6; ++step) EXPECT_FALSE(acceptor.Accept(41, step));
  EXPECT_TRUE(acceptor.Accept(40, 6));
}

}  // namespace
}  // namespace tsumiki

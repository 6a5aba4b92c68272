#include "optimise/score_text.h"

#include <gtest/gtest.h>

namespace tsumiki {
namespace {

TEST(FormatScore, FixedDecimalsAndThePassComparison) {
  EXPECT_EQ(FormatScore(999.0f, 3), "999.000");
  EXPECT_EQ(FormatScore(1.41421356f, 2), "1.41");
  EXPECT_EQ(FormatScore(1.23456, 3), "1.235");
  EXPECT_EQ(RoundScore(1.41421356f), 1.414f);
  EXPECT_EQ(RoundScore(999.0f), 999.0f);
  // Scores that differ only beyond three decimals compare equal.
  EXPECT_EQ(RoundScore(2.00049f), RoundScore(2.0001f));
}

}  // namespace
}  // namespace tsumiki

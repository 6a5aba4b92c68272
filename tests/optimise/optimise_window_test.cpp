#include "optimise/optimise_window.h"

#include <gtest/gtest.h>

#include "support/scripted_host.h"

namespace tsumiki {
namespace {

TEST(OptimiseWindow, ProgressNeverPassesItsRangeAndAbortSetsTheFlag) {
  testing::ScriptedHost host;
  RunState run;
  OptimiseWindow window(host, run, 2);
  window.Load();
  EXPECT_FALSE(window.View().keep_position);
  window.SetRange(0, 40);
  // Pass 2 of a run over fewer days than the month would go beyond the maximum.
  window.SetValue(55);
  EXPECT_EQ(host.OptimiseViews().back().bar_value, 40);
  window.SetValue(-3);
  EXPECT_EQ(host.OptimiseViews().back().bar_value, 0);
  window.OnAbortClicked();
  EXPECT_TRUE(run.AbortRequested);
  window.Unload();
  EXPECT_FALSE(host.OptimiseVisible());
}

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

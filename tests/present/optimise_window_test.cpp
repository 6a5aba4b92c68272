#include "present/optimise_window.h"

#include <gtest/gtest.h>

#include "support/scripted_host.h"

namespace tsumiki {
namespace {

TEST(OptimiseWindow, ProgressNeverPassesItsRangeAndAbortSetsTheFlag) {
  testing::ScriptedHost host;
  RunState run;
  const int status_position = 2;
  OptimiseWindow window(host, run, status_position);
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

}  // namespace
}  // namespace tsumiki

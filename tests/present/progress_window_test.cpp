#include "present/progress_window.h"

#include <gtest/gtest.h>

#include "creation/time_limit.h"
#include "support/scripted_host.h"

namespace tsumiki {
namespace {

using testing::ScriptedHost;

TEST(ProgressWindowTexts, RemainingTimeIsMinutesAndTwoDigitSeconds) {
  EXPECT_EQ(RemainingText(29 * 60000 + 7000), "29:07");
  EXPECT_EQ(RemainingText(29 * 60000 + 7999), "29:07");
  EXPECT_EQ(RemainingText(0), "0:00");
  EXPECT_EQ(RemainingText(-1), "0:00");
  EXPECT_EQ(RemainingText(125 * 60000), "125:00");
}

TEST(ProgressWindowTexts, TimeLimitCountsTheMinutesAsGiven) {
  EXPECT_EQ(TimeLimitMs(30.0f), 30 * 60000);
  EXPECT_EQ(TimeLimitMs(0.5f), 30000);
  EXPECT_EQ(TimeLimitMs(1.4f), 84000);
  EXPECT_EQ(TimeLimitMs(2.5f), 150000);
  EXPECT_EQ(TimeLimitMs(0.0f), 0);
  EXPECT_EQ(TimeLimitMs(-3.0f), 0);
}

TEST(ProgressWindowTexts, LimitMessageNamesTheFailedDayAndDuty) {
  IndexArray<std::string> abbrev(0, 4);
  abbrev(1) = "日";
  abbrev(3) = "夜";
  EXPECT_EQ(TimeLimitMessage(30.0f, DaySlot{12, 3}, abbrev),
            "制限時間の30分が過ぎました！\n処理を中止します。\n\n12日の [夜] を確保失敗！");
  EXPECT_EQ(TimeLimitMessage(2.5f, DaySlot{1, 1}, abbrev),
            "制限時間の2.5分が過ぎました！\n処理を中止します。\n\n1日の [日] を確保失敗！");
  // No member search has failed yet: there is no day or duty to name.
  EXPECT_EQ(TimeLimitMessage(30.0f, DaySlot{}, abbrev),
            "制限時間の30分が過ぎました！\n処理を中止します。");
}

class ProgressWindowTest : public ::testing::Test {
 protected:
  ProgressWindowTest() {
    model.Resize(30, 3, 5);
    model.TypeAbbrev(2) = "遅";
    model.TimeLimitMinutes = 1.0f;
    run.RunStartTime = host.MonotonicMs();
  }

  // Lets events run every 10 ms of virtual time for `ms`.
  void Pump(int ms) {
    for (int t = 0; t < ms; t += 10) {
      host.Sleep(10);
      host.DoEvents();
    }
  }

  ScriptedHost host;
  ConditionModel model;
  RunState run;
  int status_position = 2;
};

TEST_F(ProgressWindowTest, CountsDownEveryTickFromTheLimit) {
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  EXPECT_EQ(window.View().remaining_text, "1:00");
  Pump(200);
  EXPECT_EQ(window.View().remaining_text, "0:59");
  Pump(20000);
  EXPECT_EQ(window.View().remaining_text, "0:39");
  EXPECT_FALSE(run.AbortRequested);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(ProgressWindowTest, LimitPassedRaisesAbortAndShowsTheMessageOnce) {
  run.FailedSlot = DaySlot{7, 2};
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  Pump(61000);
  EXPECT_TRUE(run.AbortRequested);
  EXPECT_TRUE(window.TimeLimitPassed());
  EXPECT_EQ(window.View().remaining_text, "0:00");
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].title, "制限時間オーバー");
  EXPECT_EQ(host.Messages()[0].text,
            "制限時間の1分が過ぎました！\n処理を中止します。\n\n7日の [遅] を確保失敗！");
  Pump(5000);
  EXPECT_EQ(host.Messages().size(), 1u);
}

TEST_F(ProgressWindowTest, ZeroLimitExpiresAtTheFirstTick) {
  model.TimeLimitMinutes = 0.0f;
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  Pump(200);
  EXPECT_TRUE(run.AbortRequested);
  EXPECT_EQ(host.Messages().size(), 1u);
}

TEST_F(ProgressWindowTest, LimitCountsFromTheRunStartAcrossLoads) {
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  Pump(40000);
  window.Unload();
  Pump(10000);  // no timer while unloaded
  EXPECT_FALSE(run.AbortRequested);
  window.Load();
  EXPECT_EQ(window.View().remaining_text, "0:10");
  Pump(10200);
  EXPECT_TRUE(run.AbortRequested);
}

TEST_F(ProgressWindowTest, AbortButtonOnlySetsTheFlag) {
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  window.OnAbortClicked();
  EXPECT_TRUE(run.AbortRequested);
  EXPECT_FALSE(window.TimeLimitPassed());
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(ProgressWindowTest, PlacedByStatusPositionAtLoad) {
  status_position = 1;
  ProgressWindow window(host, run, model, status_position);
  window.Load();
  EXPECT_FALSE(window.View().keep_position);
  EXPECT_EQ(window.View().top_twips, 0);
  window.Unload();
  status_position = 9;
  window.Load();
  EXPECT_TRUE(window.View().keep_position);
}

}  // namespace
}  // namespace tsumiki

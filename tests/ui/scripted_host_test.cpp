#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tsumiki {
namespace {

using testing::ScriptedHost;

TEST(ScriptedHostTest, AnswersFromTheQueueThenTheDefault) {
  ScriptedHost scripted;
  Host& host = scripted;  // the core asks through Host
  scripted.QueueAnswer(MsgResult::kNo);
  EXPECT_EQ(host.MessageBox("q1", "t", MsgButtons::kYesNo), MsgResult::kNo);
  EXPECT_EQ(host.MessageBox("q2", "t", MsgButtons::kYesNo), MsgResult::kYes);  // first button
  EXPECT_EQ(host.MessageBox("q3", "t", MsgButtons::kOkCancel), MsgResult::kOk);
  scripted.SetDefaultAnswer(MsgResult::kCancel);
  EXPECT_EQ(host.MessageBox("q4", "t", MsgButtons::kOkCancel), MsgResult::kCancel);
  EXPECT_EQ(host.MessageBox("note", "t", MsgButtons::kOk), MsgResult::kOk);
  EXPECT_EQ(scripted.MessageTexts(), (std::vector<std::string>{"q1", "q2", "q3", "q4", "note"}));
  EXPECT_EQ(scripted.Messages()[0].answer, MsgResult::kNo);
}

TEST(ScriptedHostTest, AQueuedAnswerTheBoxDoesNotOfferFailsLoudly) {
  ScriptedHost scripted;
  scripted.QueueAnswer(MsgResult::kYes);
  Host& host = scripted;
  EXPECT_THROW(host.MessageBox("q", "t", MsgButtons::kOkCancel), std::logic_error);
}

TEST(ScriptedHostTest, ScheduledActionsRunInsideDoEvents) {
  ScriptedHost host;
  std::vector<std::string> log;
  host.AtDoEvents(2, [&] { log.push_back("second"); });
  host.AtTime(100, [&] { log.push_back("t100"); });
  host.DoEvents();
  EXPECT_TRUE(log.empty());
  host.DoEvents();
  EXPECT_EQ(log, std::vector<std::string>{"second"});
  host.Sleep(99);
  host.DoEvents();
  EXPECT_EQ(log.size(), 1u);
  host.Sleep(1);
  EXPECT_EQ(log.size(), 1u);  // only DoEvents runs actions
  host.DoEvents();
  host.DoEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"second", "t100"}));
}

TEST(ScriptedHostTest, PressAbortReachesTheAbortHandler) {
  ScriptedHost host;
  bool aborted = false;
  host.SetAbortHandler([&] { aborted = true; });
  host.AtDoEvents(3, [&] { host.PressAbort(); });
  for (int i = 0; i < 2; ++i) host.DoEvents();
  EXPECT_FALSE(aborted);
  host.DoEvents();
  EXPECT_TRUE(aborted);
}

TEST(ScriptedHostTest, TimersTickFromDoEventsOnTheVirtualClock) {
  ScriptedHost host;
  int ticks = 0;
  const Host::TimerId id = host.StartTimer(200, [&] { ++ticks; });
  host.Advance(199);
  host.DoEvents();
  EXPECT_EQ(ticks, 0);
  host.Advance(1);
  EXPECT_EQ(ticks, 0);
  host.DoEvents();
  EXPECT_EQ(ticks, 1);
  host.StopTimer(id);
  host.Advance(1000);
  host.DoEvents();
  EXPECT_EQ(ticks, 1);
}

TEST(ScriptedHostTest, TimeOfDayFollowsTheVirtualClockAcrossMidnight) {
  ScriptedHost host(86399.5);
  EXPECT_DOUBLE_EQ(host.SecondsSinceMidnight(), 86399.5);
  host.Advance(1000);
  EXPECT_DOUBLE_EQ(host.SecondsSinceMidnight(), 0.5);
  EXPECT_EQ(host.MonotonicMs(), 1000);
}

}  // namespace
}  // namespace tsumiki

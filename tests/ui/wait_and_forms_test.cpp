#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_host.h"
#include "ui/focus.h"
#include "ui/forms.h"
#include "ui/wait.h"

namespace tsumiki {
namespace {

TEST(WaitWithEventsTest, SleepsInTenMillisecondStepsAtLeastOnce) {
  struct Case {
    int ms;
    int rounds;
  };
  for (const Case c :
       {Case{0, 1}, Case{-50, 1}, Case{5, 1}, Case{10, 1}, Case{15, 2}, Case{2000, 200}}) {
    testing::ScriptedHost host;
    WaitWithEvents(host, c.ms);
    EXPECT_EQ(host.SleepCount(), c.rounds) << c.ms;
    EXPECT_EQ(host.DoEventsCount(), c.rounds) << c.ms;
    EXPECT_EQ(host.MonotonicMs(), 10 * c.rounds) << c.ms;
  }
}

TEST(WaitWithEventsTest, TimersTickDuringTheWait) {
  testing::ScriptedHost host;
  int ticks = 0;
  host.StartTimer(200, [&] { ++ticks; });
  WaitWithEvents(host, 1000);
  EXPECT_EQ(ticks, 5);
}

class FailingFormsHost : public testing::ScriptedHost {
 public:
  void ShowForm(std::string_view) override { throw std::runtime_error("cannot load"); }
  void CloseForm(std::string_view) override { throw std::runtime_error("cannot unload"); }
};

TEST(FormsTest, FailuresAreIgnored) {
  FailingFormsHost host;
  EXPECT_NO_THROW(ShowForm(host, "frm処理中"));
  EXPECT_NO_THROW(CloseForm(host, "frm処理中"));
}

TEST(FormsTest, ReachTheHost) {
  testing::ScriptedHost host;
  ShowForm(host, "frm処理中");
  CloseForm(host, "frm処理中");
  EXPECT_EQ(host.FormEvents(), (std::vector<std::string>{"show:frm処理中", "close:frm処理中"}));
}

}  // namespace
}  // namespace tsumiki

namespace tsumiki {
namespace {

TEST(FocusSpreadsheetWindowTest, ActivatesWaitsEndsEditingWaitsAndLetsEventsRun) {
  testing::ScriptedHost host;
  FocusSpreadsheetWindow(host);
  ASSERT_EQ(host.WindowActions().size(), 2u);
  EXPECT_EQ(host.WindowActions()[0].what, "activate");
  EXPECT_EQ(host.WindowActions()[0].window, WindowId::kSheet);
  EXPECT_EQ(host.WindowActions()[1].what, "end-editing");
  EXPECT_EQ(host.SleepCount(), 2);
  EXPECT_EQ(host.MonotonicMs(), 40);
  EXPECT_EQ(host.DoEventsCount(), 1);
}

}  // namespace
}  // namespace tsumiki

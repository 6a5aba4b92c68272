#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/session.h"
#include "cli_run.h"
#include "conditions/layout.h"
#include "creation/driver.h"
#include "optimise/readjust_search.h"
#include "present/readjustment.h"
#include "support/roster_checker.h"
#include "support/workbook_fixture.h"
#include "workbook/reading_modes.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;
using testing::CheckRoster;
using testing::JoinProblems;

// February 2013: A works 日 and B 夜 on the 1st; C, the only free member, may not
// take 日勤. Freeing A's day takes two exchanges.
fs::path WriteSmallWorkplace(Host& host, std::string_view c_schedule = "日") {
  auto fx = testing::LayoutWorkbook::Blank(host);
  fx->SetPeriod(2013, 2, 1, 1);
  fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
  fx->SetMembers({"A", "B", "C"});
  fx->SetNeed(1, 1, 1);
  fx->SetNeed(2, 1, 1);
  fx->SetSchedule(3, 1, c_schedule);
  fx->SetRoster(1, 1, "日");
  fx->SetRoster(2, 1, "夜");
  fx->book().Save();
  // Keep the file beyond the fixture's life.
  const fs::path kept = testing::MakeTempDir("cli-readjust") / "shift.xlsm";
  fs::copy_file(fx->path(), kept);
  return kept;
}

std::string RosterText(const fs::path& path, int member, int day) {
  auto book = workbook::Workbook::Open(path);
  const auto table = layout::Range(*book, layout::kTimeTable);
  const workbook::CellValue v = book->ReadCell(table, member, day);
  return v.IsText() ? v.Text() : "";
}

TEST(ReadjustCommand, YesAppliesTheProposalAndSaveKeepsIt) {
  testing::ScriptedHost setup;
  const fs::path path = WriteSmallWorkplace(setup);
  CliRun run;
  ASSERT_EQ(run.Run({"--workbook", path.string(), "--save", "readjust", "--member", "1", "--day",
                     "1", "--yes"}),
            kExitOk)
      << run.err.str() << ::testing::PrintToString(run.host.MessageTexts());
  EXPECT_EQ(run.out.str(),
            "次のように勤務を入れ替えました：\n"
            "  2013/2/1(金)  <3 C> ⇔ <2 B>\n"
            "  2013/2/1(金)  <1 A> ⇔ <2 B>\n");
  EXPECT_EQ(RosterText(path, 1, 1), "");
  EXPECT_EQ(RosterText(path, 2, 1), "日");
  EXPECT_EQ(RosterText(path, 3, 1), "夜");
}

TEST(ReadjustCommand, DeclinedProposalChangesNothing) {
  testing::ScriptedHost setup;
  const fs::path path = WriteSmallWorkplace(setup);
  CliRun run;
  run.host.QueueAnswer(MsgResult::kOk);
  run.host.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(
      run.Run({"--workbook", path.string(), "--save", "readjust", "--member", "1", "--day", "1"}),
      kExitFailure);
  EXPECT_EQ(run.host.Messages().back().title, "勤務調整");
  EXPECT_EQ(RosterText(path, 1, 1), "日");
}

TEST(ReadjustCommand, UnknownMemberOrDayIsRefused) {
  testing::ScriptedHost setup;
  const fs::path path = WriteSmallWorkplace(setup);
  CliRun member;
  EXPECT_EQ(member.Run({"--workbook", path.string(), "readjust", "--member", "9", "--day", "1"}),
            kExitFailure);
  EXPECT_EQ(member.host.Messages().back().text,
            "職員番号「9」の職員が【個人条件設定】にいません。番号を確かめてください。");
  CliRun day;
  EXPECT_EQ(day.Run({"--workbook", path.string(), "readjust", "--member", "1", "--day", "30"}),
            kExitFailure);
  EXPECT_EQ(day.host.Messages().back().text,
            "30日はシフト表の期間にありません。シフト表の見出しの日を指定してください。");
  CliRun last;
  EXPECT_EQ(last.Run({"--workbook", path.string(), "readjust", "--member", "2", "--day", "28"}),
            kExitFailure);
  EXPECT_EQ(last.host.Messages().back().text, "選択セルは空白(休み)です！");
}

TEST(ReadjustCommand, FailureSaysWhatStoppedEachDirectExchange) {
  testing::ScriptedHost setup;
  const fs::path path = WriteSmallWorkplace(setup, "休");
  CliRun run;
  EXPECT_EQ(
      run.Run({"--workbook", path.string(), "readjust", "--member", "1", "--day", "1", "--yes"}),
      kExitFailure);
  const std::string text = run.host.Messages().back().text;
  EXPECT_EQ(text.rfind("調整失敗\n", 0), 0U) << text;
  EXPECT_NE(text.find("（1 A）を直接入れ替えられなかった理由：\n　3 C：休み希望"),
            std::string::npos)
      << text;
}

// End to end on the sample workplace: a roster is created, a cell the search can
// free is readjusted through the command line, and the saved roster keeps every
// rule with that cell a rest day.
TEST(ReadjustCommand, CreatedSampleRosterStaysSoundAfterAReadjustment) {
  const fs::path dir = testing::MakeTempDir("cli-readjust-sample");
  const fs::path path = dir / "shift.xlsm";
  testing::WriteSampleWorkbookTo(path);
  int member = 0;
  int day = 0;
  std::vector<testing::Breach> problems_before;
  {
    testing::ScriptedHost host;
    host.SetDefaultAnswer(MsgResult::kNo);
    Session session(host, SessionOptions{dir, path, 11});
    ASSERT_TRUE(session.StartUp());
    CreationDriver driver(session.Context());
    ASSERT_EQ(driver.StartAction().outcome, CreateOutcome::kCreated)
        << ::testing::PrintToString(host.MessageTexts());
    ASSERT_EQ(session.Close(true), ShutdownResult::kClosed);
  }
  {
    // Find a cell the search can free, on a fresh read of the saved roster.
    testing::ScriptedHost host;
    Session session(host, SessionOptions{dir, path, 11});
    ASSERT_TRUE(session.StartUp());
    Readjustment readjustment(session.Context());
    ASSERT_TRUE(readjustment.Prepare());
    ConditionModel& model = session.Model();
    problems_before = CheckRoster(model);
    for (int d = 1; d < model.DayCount && member == 0; ++d) {
      for (int m = 1; m <= model.MemberCount && member == 0; ++m) {
        if (model.Roster(m, d) < 1) continue;
        ConditionModel copy = model;
        ReadjustSearch search(copy);
        if (search.SearchChain(d, m) > 0) {
          member = m;
          day = d;
        }
      }
    }
    ASSERT_GT(member, 0) << "no cell of the sample roster can be freed";
  }
  std::string number;
  std::string day_of_month;
  {
    testing::ScriptedHost host;
    Session session(host, SessionOptions{dir, path, 11});
    ASSERT_TRUE(session.StartUp());
    ConditionModel& model = session.Model();
    const auto table = layout::Range(session.Book(), layout::kMemberList);
    number = workbook::ValueToText(session.Book().ReadCell(table, member, 1));
    const auto base = BaseDate(model.CreateYear, model.CreateMonth, model.BaseStartDay);
    ASSERT_TRUE(base);
    day_of_month = std::to_string(
        static_cast<unsigned>(std::chrono::year_month_day(DayDate(*base, day)).day()));
  }

  CliRun run;
  ASSERT_EQ(run.Run({"--workbook", path.string(), "--save", "readjust", "--member", number, "--day",
                     day_of_month, "--yes"}),
            kExitOk)
      << run.err.str() << ::testing::PrintToString(run.host.MessageTexts());
  EXPECT_EQ(RosterText(path, member, day), "");

  testing::ScriptedHost host;
  Session session(host, SessionOptions{dir, path, 11});
  ASSERT_TRUE(session.StartUp());
  Readjustment readjustment(session.Context());
  ASSERT_TRUE(readjustment.Prepare());
  EXPECT_EQ(session.Model().Roster(member, day), 0);
  // The work-day adjustment may leave days above their need; the readjustment
  // must not add a single broken rule to whatever the created roster had.
  std::vector<testing::Breach> added;
  for (const testing::Breach& p : CheckRoster(session.Model())) {
    if (std::find(problems_before.begin(), problems_before.end(), p) == problems_before.end()) {
      added.push_back(p);
    }
  }
  EXPECT_TRUE(added.empty()) << JoinProblems(added);
}

}  // namespace
}  // namespace tsumiki::cli

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "support/file_bytes.h"
#include "cli_run.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "workbook/workbook.h"
#include "support/workbook_fixture.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

bool AnyContains(const std::vector<std::string>& texts, std::string_view part) {
  for (const auto& t : texts) {
    if (t.find(part) != std::string::npos) return true;
  }
  return false;
}

// February 2013: day 2 needs three 夜 and only E may take one: A has asked for the
// day off, B may not take 夜 that day, C is reserved for 日, and D's reserved 夜 on
// day 1 bars 夜 the next day.
fs::path WriteOneFreeMember() {
  testing::ScriptedHost setup;
  auto fx = testing::LayoutWorkbook::Blank(setup);
  fx->SetPeriod(2013, 2, 1, 1);
  fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
  fx->SetMembers({"A", "B", "C", "D", "E"});
  for (int m = 1; m <= 5; ++m) fx->SetDayOff(m, 20);
  fx->SetNeed(2, 2, 3);
  fx->SetNextDayBan(2, 2);
  fx->SetSchedule(1, 2, "休");
  fx->SetSchedule(2, 2, "夜");
  fx->SetReservation(3, 2, "日");
  fx->SetReservation(4, 1, "夜");
  fx->book().Save();
  const fs::path kept = testing::MakeTempDir("cli-precheck") / "shift.xlsm";
  fs::copy_file(fx->path(), kept);
  return kept;
}

TEST(PreCheck, ADayNoPassCanStaffIsNamedWithEveryMembersReasonAndNothingIsSaved) {
  const fs::path path = WriteOneFreeMember();
  const std::string before = testing::ReadFile(path);
  CliRun run;
  EXPECT_EQ(run.Run({"--workbook", path.string(), "--batch", "--save", "create"}), kExitFailure);
  const auto texts = run.host.MessageTexts();
  for (const char* part : {"2月2日 の 夜 は 3 人必要ですが、就ける職員は 1 人です。",
                           "　1 A：休み希望\n", "　2 B：その日の勤務不可\n",
                           "　3 C：他の勤務（日）に入っています\n", "　4 D：前日の勤務の翌日禁止\n",
                           "　5 E：就けます\n"}) {
    EXPECT_TRUE(AnyContains(texts, part)) << part << ::testing::PrintToString(texts);
  }
  EXPECT_EQ(testing::ReadFile(path), before);
}

TEST(PreCheck, ExplainListsEveryMemberForTheDayAndRefusesAnUnknownDuty) {
  const fs::path path = WriteOneFreeMember();
  CliRun run;
  ASSERT_EQ(run.Run({"--workbook", path.string(), "--batch", "explain", "--day", "2", "--duty",
                     "夜"}),
            kExitOk)
      << ::testing::PrintToString(run.host.MessageTexts());
  const std::string out = run.out.str();
  EXPECT_NE(out.find("【2月2日 夜（必要 3 人）】\n"), std::string::npos) << out;
  EXPECT_NE(out.find("　4 D：前日の勤務の翌日禁止\n　5 E：就けます\n"), std::string::npos) << out;

  CliRun unknown;
  EXPECT_EQ(unknown.Run({"--workbook", path.string(), "--batch", "explain", "--day", "2",
                         "--duty", "朝"}),
            kExitFailure);
}

// The staffing of the shared test workbook asks more duty-days than its members'
// targets allow.
TEST(PreCheck, StaffingBeyondAllTargetsEndsAtOnceWithTheShortfall) {
  const fs::path shared =
      fs::path(TSUMIKI_SOURCE_DIR) / ".." / "shared" / "workbooks" / "t7-cannot-staff.xlsx";
  if (!fs::exists(shared)) GTEST_SKIP() << "no shared test workbooks beside the source";
  const fs::path path = testing::MakeTempDir("cli-precheck-t7") / "t7.xlsx";
  fs::copy_file(shared, path, fs::copy_options::overwrite_existing);
  // The shared copies are read-only, which --save would refuse before the check.
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  const std::string before = testing::ReadFile(path);
  CliRun run;
  EXPECT_EQ(run.Run({"--workbook", path.string(), "--batch", "--save", "create"}), kExitFailure);
  EXPECT_TRUE(AnyContains(run.host.MessageTexts(), "必要人数の合計は 454 人日ですが、"
                                                   "職員の勤務日数の目標の合計は 440 日です"))
      << ::testing::PrintToString(run.host.MessageTexts());
  EXPECT_LT(run.host.MonotonicMs(), 2000);
  EXPECT_EQ(testing::ReadFile(path), before);
}

// A batch run on the virtual clock: pauses take no time, every event loop takes
// 10 ms and no timer ever ticks, so only the deadline can end the run.
class BusyHost : public testing::ScriptedHost {
 public:
  TimerId StartTimer(int, std::function<void()>) override { return 1; }
  void StopTimer(TimerId) override {}
  void Sleep(int) override {}
  void DoEvents() override {
    Advance(10);
    ScriptedHost::DoEvents();
  }
};

// The sample with one forbidden combination that no check before the passes
// sees: on 日 with count 2 and every member, no pass fills day 1; on "*" with
// count 1 and member 1 alone, every pass fills the month but member 1 never
// works, so the targets are never met and the passes start again.
fs::path WriteWithCombination(std::string_view type, int count, int members) {
  const fs::path path =
      testing::MakeTempDir("cli-deadline-" + std::to_string(members)) / "shift.xlsm";
  layout::WriteSampleWorkbook(path);
  auto book = workbook::Workbook::Open(path);
  const auto& combos = layout::kForbiddenCombos;
  const auto put = [&](int row, int column, const workbook::CellValue& value) {
    book->WriteCell(layout::Range(*book, combos), row, column, value);
  };
  book->WriteCell(layout::Range(*book, layout::kForbiddenComboCnt), 1, 1, combos.rows);
  put(combos.rows, 1, std::string(type));
  put(combos.rows, 2, count);
  for (int j = 1; j <= members; ++j) put(combos.rows, 4 + 5 * (j - 1), j);
  book->Save();
  return path;
}

TEST(Deadline, AFractionOfAMinuteEndsTheRunThenWithStatusFourAndNothingSaved) {
  struct Case {
    const char* what;
    fs::path path;
    const char* message;
  };
  const Case cases[] = {
      {"day 1 never filled", WriteWithCombination("日勤", 2, 20),
       "制限時間の0.5分が過ぎました！\n処理を中止します。\n\n1日の [日] を確保失敗！"},
      {"targets never met", WriteWithCombination("*", 1, 1), "制限時間の0.5分が過ぎました！"},
  };
  for (const Case& c : cases) {
    const std::string before = testing::ReadFile(c.path);
    CliRun run;
    BusyHost host;
    run.ctx.host = &host;
    // The search alone: the exact model proves at once that day 1 has no month.
    EXPECT_EQ(run.Run({"--workbook", c.path.string(), "--batch", "--save", "create",
                       "--time-limit", "0.5", "--no-exact"}),
              4)
        << c.what;
    EXPECT_GE(host.MonotonicMs(), 30000) << c.what;
    // A load under way finishes first: its event loops take 10 ms each here.
    EXPECT_LT(host.MonotonicMs(), 31000) << c.what;
    const auto texts = host.MessageTexts();
    EXPECT_TRUE(AnyContains(texts, c.message)) << c.what << ::testing::PrintToString(texts);
    EXPECT_FALSE(AnyContains(texts, "所要時間")) << c.what;
    EXPECT_EQ(testing::ReadFile(c.path), before) << c.what;
  }
}

// The failed slot is explained member by member after the message, also when the
// exact model proves the month impossible but nothing it may relax would help.
TEST(Deadline, TheFailedDayIsExplainedAfterTheMessage) {
  CliRun run;
  BusyHost host;
  run.ctx.host = &host;
  run.Run({"--workbook", WriteWithCombination("日勤", 2, 20).string(), "--batch", "create",
           "--time-limit", "0.1"});
  ASSERT_EQ(host.Explanations().size(), 1U);
  EXPECT_NE(host.Explanations()[0].find("：組合せ禁止\n"), std::string::npos);
}

}  // namespace
}  // namespace tsumiki::cli

#include <gtest/gtest.h>

#include <filesystem>

#include "cli_run.h"
#include "conditions/layout.h"
#include "support/workbook_fixture.h"
#include "workbook/workbook.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;
namespace wb = workbook;

class SettingsCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir("cli-settings");
    path_ = dir_ / "shift.xlsm";
    testing::WriteSampleWorkbookTo(path_);
  }
  std::vector<std::string> Args(std::vector<std::string> rest) const {
    std::vector<std::string> args{"--workbook", path_.string(), "--seed", "1"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }
  wb::CellValue Stored(const layout::NameSpec& name_spec, int row = 1) const {
    auto book = wb::Workbook::Open(path_);
    return book->ReadCell(layout::Range(*book, name_spec), row, 1);
  }

  fs::path dir_;
  fs::path path_;
};

TEST_F(SettingsCommandTest, PrintsTheStartConditionsAndWeights) {
  CliRun run;
  EXPECT_EQ(run.Run(Args({"settings"})), kExitOk) << run.err.str();
  const std::string out = run.out.str();
  EXPECT_NE(out.find("開始条件\n"), std::string::npos) << out;
  EXPECT_NE(out.find("  試行回数："), std::string::npos) << out;
  EXPECT_NE(out.find("最適化比重\n"), std::string::npos) << out;
  EXPECT_NE(out.find("  12 休み："), std::string::npos) << out;
  // Nothing changed, so nothing was asked.
  EXPECT_TRUE(run.host.Messages().empty());
}

// A value out of its range is a usage error that names the value and the range;
// values that are wrong only together (a date) get the dialog's message.
TEST_F(SettingsCommandTest, RefusesBadValuesNamingTheValueAndRange) {
  const wb::CellValue limit = Stored(layout::kTimeLimit);
  struct Case {
    std::vector<std::string> flags;
    int status;
    std::string message;  // the usage line, or the message box's text
    std::string title;    // empty for a usage error
  };
  const std::vector<Case> cases = {
      {{"--time-limit", "0"},
       kExitUsage,
       "--time-limit の値「0」は使えません。0 より大きい数で指定してください。",
       ""},
      {{"--time-limit", "nan"}, kExitUsage, "--time-limit の値「nan」は使えません。", ""},
      {{"--time-limit", "1e60"}, kExitUsage, "--time-limit の値「1e60」は使えません。", ""},
      {{"--attempts", "0"},
       kExitUsage,
       "--attempts の値「0」は使えません。1 以上の整数で指定してください。",
       ""},
      {{"--attempts", "2.5"}, kExitUsage, "--attempts の値「2.5」は使えません。", ""},
      {{"--month", "13"},
       kExitUsage,
       "--month の値「13」は使えません。1〜12 の整数で指定してください。",
       ""},
      {{"--base-day", "0"}, kExitUsage, "--base-day の値「0」は使えません。1〜31 の整数", ""},
      {{"--year", "27"}, kExitUsage, "--year の値「27」は使えません。1900〜9999 の整数", ""},
      {{"--improve-seconds", "-1"},
       kExitUsage,
       "--improve-seconds の値「-1」は使えません。0 以上の数",
       ""},
      {{"--improve-seconds", "x"}, kExitUsage, "--improve-seconds の値「x」は使えません。", ""},
      {{"--year", "2013", "--month", "2", "--day", "29"},
       kExitFailure,
       "日付の入力に誤りがあります",
       "入力不正"},
      {{"--weight", "日=abc"}, kExitFailure, "最適化比重の入力値不正", "入力エラー"},
  };
  for (const Case& c : cases) {
    CliRun run;
    std::vector<std::string> args{"--save", "settings"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    EXPECT_EQ(run.Run(Args(args)), c.status) << c.message;
    if (c.title.empty()) {
      EXPECT_NE(run.err.str().find(c.message), std::string::npos) << run.err.str();
      continue;
    }
    ASSERT_FALSE(run.host.Messages().empty()) << c.message;
    EXPECT_EQ(run.host.Messages().back().text, c.message);
    EXPECT_EQ(run.host.Messages().back().title, c.title);
  }
  EXPECT_EQ(Stored(layout::kTimeLimit), limit);
}

// Times are kept in single precision but stored as the decimal given.
TEST_F(SettingsCommandTest, StoresATimeAsTheDecimalGiven) {
  CliRun run;
  ASSERT_EQ(run.Run(Args({"--batch", "--save", "settings", "--time-limit", "0.1",
                          "--improve-seconds", "0.3"})),
            kExitOk)
      << run.err.str();
  EXPECT_EQ(Stored(layout::kTimeLimit), wb::CellValue(0.1));
  EXPECT_EQ(Stored(layout::kImproveSeconds), wb::CellValue(0.3));
}

TEST_F(SettingsCommandTest, StoresWithSaveAndCopiesTheBaseDay) {
  CliRun run;
  ASSERT_EQ(run.Run(Args({"--save", "settings", "--year", "2013", "--month", "2", "--base-day",
                          "28", "--time-limit", "4.5", "--improve-seconds", "0", "--weight",
                          "休み=2.5", "--weight", "1=3"})),
            kExitOk)
      << run.err.str();
  EXPECT_EQ(Stored(layout::kYear), wb::CellValue(2013));
  EXPECT_EQ(Stored(layout::kBaseStartDay), wb::CellValue(28));
  EXPECT_EQ(Stored(layout::kStartDayOfMonth), wb::CellValue(28));
  EXPECT_EQ(Stored(layout::kTimeLimit), wb::CellValue(4.5));
  EXPECT_EQ(Stored(layout::kImproveSeconds), wb::CellValue(0.0));
  EXPECT_EQ(Stored(layout::kWeights, 12), wb::CellValue(2.5));
  EXPECT_EQ(Stored(layout::kWeights, 1), wb::CellValue(3.0));
  EXPECT_NE(run.out.str().find("  制限時間（分）：4.5\n"), std::string::npos) << run.out.str();

  // An explicit --day wins over the base day's copy.
  CliRun again;
  ASSERT_EQ(again.Run(Args({"--save", "settings", "--base-day", "1", "--day", "3"})), kExitOk);
  EXPECT_EQ(Stored(layout::kBaseStartDay), wb::CellValue(1));
  EXPECT_EQ(Stored(layout::kStartDayOfMonth), wb::CellValue(3));
}

// Both commands take the start-condition flags as the dialog takes its fields.
TEST_F(SettingsCommandTest, ABaseDayGivenAloneIsAlsoTheStartDay) {
  for (const char* command : {"settings", "create"}) {
    testing::WriteSampleWorkbookTo(path_);
    CliRun run;
    ASSERT_EQ(run.Run(Args({"--batch", "--save", command, "--base-day", "21"})), kExitOk)
        << command << run.err.str();
    EXPECT_EQ(Stored(layout::kBaseStartDay), wb::CellValue(21)) << command;
    EXPECT_EQ(Stored(layout::kStartDayOfMonth), wb::CellValue(21)) << command;
  }
}

TEST_F(SettingsCommandTest, WithoutSaveTheQuestionDecides) {
  const wb::CellValue attempts = Stored(layout::kAttempts);
  CliRun run;
  run.host.QueueAnswer(MsgResult::kNo);
  ASSERT_EQ(run.Run(Args({"settings", "--attempts", "7"})), kExitOk);
  EXPECT_EQ(run.host.Messages().back().title, "保存確認");
  EXPECT_EQ(Stored(layout::kAttempts), attempts);
}

TEST_F(SettingsCommandTest, UnknownWeightTypeIsNamed) {
  CliRun run;
  EXPECT_EQ(run.Run(Args({"settings", "--weight", "宿直=1"})), kExitFailure);
  ASSERT_FALSE(run.host.Messages().empty());
  EXPECT_NE(run.host.Messages().back().text.find("「宿直」"), std::string::npos);
}

}  // namespace
}  // namespace tsumiki::cli

namespace tsumiki::cli {
namespace {

// January 29 runs to February 27: 日 5 is February 5, day 8 of the period, and the
// days before it (February 1 to 4 among them) are kept as the first build left them.
TEST_F(SettingsCommandTest, AStartDayInTheShorterNextMonthIsFoundByItsDate) {
  auto days_before = [&] {
    auto book = wb::Workbook::Open(path_);
    const wb::CellRange roster = layout::Range(*book, layout::kTimeTable);
    std::vector<wb::CellValue> cells;
    for (int m = 1; m <= roster.Rows(); ++m) {
      for (int d = 1; d <= 7; ++d) cells.push_back(book->ReadCell(roster, m, d));
    }
    return cells;
  };
  CliRun whole;
  ASSERT_EQ(whole.Run(Args({"--batch", "--save", "create", "--year", "2027", "--month", "1",
                            "--base-day", "29"})),
            kExitOk)
      << whole.err.str();
  const std::vector<wb::CellValue> built = days_before();
  CliRun later;
  ASSERT_EQ(later.Run(Args({"--batch", "--save", "create", "--day", "5"})), kExitOk)
      << later.err.str();
  EXPECT_EQ(days_before(), built);
}

}  // namespace
}  // namespace tsumiki::cli

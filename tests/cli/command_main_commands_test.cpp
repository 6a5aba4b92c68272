#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli_run.h"
#include "conditions/layout.h"
#include "support/file_bytes.h"
#include "support/workbook_fixture.h"
#include "workbook/workbook.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;
namespace wb = workbook;

class MainCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = fs::current_path();
    dir_ = testing::MakeTempDir("cli-main");
    path_ = dir_ / "shift.xlsm";
    testing::WriteSampleWorkbookTo(path_);
  }
  void TearDown() override { fs::current_path(cwd_); }

  int Run(CliRun& run, std::vector<std::string> rest) const {
    std::vector<std::string> args{"--workbook", path_.string()};
    args.insert(args.end(), rest.begin(), rest.end());
    return run.Run(args);
  }
  wb::CellValue Stored(const layout::NameSpec& name_spec) const {
    auto book = wb::Workbook::Open(path_);
    return book->ReadCell(layout::Range(*book, name_spec), 1, 1);
  }

  fs::path cwd_;
  fs::path dir_;
  fs::path path_;
};

TEST_F(MainCommandLineTest, ModeShowsAndSetsTheCreationMode) {
  CliRun show;
  ASSERT_EQ(Run(show, {"mode"}), kExitOk);
  EXPECT_EQ(show.out.str(),
            "　0 単勤・単休 最少化（高）\n　1 単勤・単休 最少化（低）\n＊2 確保優先\n");

  CliRun set;
  ASSERT_EQ(Run(set, {"--save", "mode", "0"}), kExitOk);
  EXPECT_EQ(set.host.Messages().back().title, "単勤単休最少化（高）");
  EXPECT_EQ(Stored(layout::kCreationMode), wb::CellValue(0));
  EXPECT_EQ(set.out.str().substr(0, 4), "＊0");  // the list shows the new mode ticked

  CliRun bad;
  EXPECT_EQ(Run(bad, {"mode", "3"}), kExitUsage);
  EXPECT_NE(bad.err.str().find("MODE の値「3」は使えません。0〜2 の整数で指定してください。"),
            std::string::npos)
      << bad.err.str();
}

TEST_F(MainCommandLineTest, TotalsGoToTheOutput) {
  CliRun run;
  ASSERT_EQ(Run(run, {"totals"}), kExitOk);
  EXPECT_EQ(run.out.str(), "データはありません");
}

TEST_F(MainCommandLineTest, ClearRunsAndSavesOnlyOnRequest) {
  CliRun run;
  run.host.SetDefaultAnswer(MsgResult::kNo);
  EXPECT_EQ(Run(run, {"clear"}), kExitOk);
  EXPECT_NE(run.err.str().find("シフト表をクリアしました。"), std::string::npos);
}

TEST_F(MainCommandLineTest, ConditionsSaveRefusesToOverwriteInABatchAndLoadNeedsTheFile) {
  const fs::path csv = dir_ / "conditions.csv";
  CliRun save;
  ASSERT_EQ(Run(save, {"conditions", "save", csv.string()}), kExitOk) << save.err.str();
  ASSERT_TRUE(fs::is_regular_file(csv));

  // The file exists now: the overwrite question's Cancel keeps it and fails.
  std::ofstream(csv, std::ios::app) << "";
  const auto size = fs::file_size(csv);
  CliRun again;
  again.host.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(Run(again, {"conditions", "save", csv.string()}), kExitFailure);
  EXPECT_EQ(again.host.Messages().front().title, "ファイル名の確認");
  EXPECT_EQ(fs::file_size(csv), size);

  CliRun load;
  ASSERT_EQ(Run(load, {"--no-save", "conditions", "load", csv.string()}), kExitOk)
      << load.err.str();
  // A refused file: exit 1, no success text, and --save leaves the workbook's bytes.
  const fs::path bad = dir_ / "bad.csv";
  std::ofstream(bad) << "name,row,column,value\r\n";
  const std::string bytes = testing::ReadFile(path_);
  CliRun refused;
  EXPECT_EQ(Run(refused, {"--save", "conditions", "load", bad.string()}), kExitFailure);
  EXPECT_EQ(refused.err.str().find("読み込みました"), std::string::npos) << refused.err.str();
  EXPECT_NE(refused.host.Messages().back().text.find("ツミキの条件データではありません"),
            std::string::npos);
  EXPECT_EQ(testing::ReadFile(path_), bytes);

  CliRun missing;
  EXPECT_EQ(Run(missing, {"conditions", "load", (dir_ / "none.csv").string()}), kExitFailure);
  EXPECT_EQ(missing.host.Messages().back().text,
            "「" + (dir_ / "none.csv").string() +
                "」が見つかりません。ファイル名とフォルダを確かめてください。");
}

TEST(HelpCommand, PrintsTheAddressAndOpensIt) {
  CliRun run;
  ASSERT_EQ(run.Run({"help", "要員"}), kExitOk);
  const std::string out = run.out.str();
  EXPECT_EQ(out.rfind("要員数設定のヘルプ: ", 0), 0u) << out;
  EXPECT_NE(out.find("web_dl/tsumiki/Help_shift/yoin-settei/index.htm"), std::string::npos);
  ASSERT_EQ(run.host.OpenedUrls().size(), 1u);

  // A command's name shows its usage and the page about what it sets.
  CliRun create;
  ASSERT_EQ(create.Run({"help", "create"}), kExitOk) << create.err.str();
  EXPECT_NE(create.out.str().find("--attempts"), std::string::npos) << create.out.str();
  EXPECT_NE(create.out.str().find("開始条件設定のヘルプ: "), std::string::npos) << create.out.str();

  CliRun unknown;
  EXPECT_EQ(unknown.Run({"help", "nothing"}), kExitUsage);
  EXPECT_NE(unknown.err.str().find("ヘルプのページ「nothing」はありません。"), std::string::npos);
}

}  // namespace
}  // namespace tsumiki::cli

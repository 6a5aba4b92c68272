#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run.h"
#include "support/workbook_fixture.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

// February 2013 with 日勤 and 夜勤, 日 barred the day after 夜: A works 夜 on the
// 1st and 日 on the 2nd, the only staff needed.
class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    fx_ = testing::LayoutWorkbook::Blank(setup_);
    fx_->SetPeriod(2013, 2, 1, 1);
    fx_->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
    fx_->SetMembers({"A", "B"});
    fx_->SetNextDayBan(2, 1);
    fx_->SetNeed(2, 1, 1);
    fx_->SetNeed(1, 2, 1);
    fx_->SetRoster(1, 1, "夜");
    fx_->SetRoster(1, 2, "日");
  }
  int Run(CliRun& run, std::vector<std::string> args) {
    fx_->book().Save();
    args.insert(args.begin(), {"--workbook", fx_->path().string()});
    return run.Run(args);
  }

  testing::ScriptedHost setup_;
  std::unique_ptr<testing::LayoutWorkbook> fx_;
};

TEST_F(CheckCommand, DayDutyAfterANightIsReportedWithMemberDayAndRule) {
  CliRun run;
  EXPECT_EQ(Run(run, {"check"}), kExitFailure) << run.err.str();
  EXPECT_EQ(run.out.str(),
            "条件違反が 1 件あります。\n"
            "2/2(土)  1 A  翌日禁止：前日の「夜」の翌日に「日」は入れられません。\n");
  CliRun json;
  EXPECT_EQ(Run(json, {"check", "--format", "json"}), kExitFailure);
  EXPECT_NE(
      json.out.str().find(
          R"("member":1,"number":"1","name":"A","day":2,"date":"2013-02-02","rule":"next_day_ban")"),
      std::string::npos)
      << json.out.str();
}

TEST_F(CheckCommand, AMonthThatKeepsEveryRulePassesAndAStrayTextIsNamed) {
  fx_->SetRoster(1, 2, "");
  fx_->SetRoster(2, 2, "日");
  CliRun clean;
  EXPECT_EQ(Run(clean, {"check"}), kExitOk);
  EXPECT_EQ(clean.out.str(), "条件違反はありません。\n");
  fx_->SetRoster(2, 3, "x");
  CliRun stray;
  EXPECT_EQ(Run(stray, {"check"}), kExitFailure);
  EXPECT_NE(stray.out.str().find("2/3(日)  2 B  不明な勤務："), std::string::npos)
      << stray.out.str();
}

TEST_F(CheckCommand, ShowExportsTheRosterAndItsTotals) {
  CliRun csv;
  EXPECT_EQ(Run(csv, {"show", "--format", "csv"}), kExitOk) << csv.err.str();
  EXPECT_EQ(csv.out.str().substr(0, csv.out.str().find("\r\n", csv.out.str().find("\r\n") + 2)),
            "番号,氏名,2/1(金),2/2(土),2/3(日),2/4(月),2/5(火),2/6(水),2/7(木),2/8(金),2/9(土),"
            "2/10(日),2/11(月),2/12(火),2/13(水),2/14(木),2/15(金),2/16(土),2/17(日),2/18(月),"
            "2/19(火),2/20(水),2/21(木),2/22(金),2/23(土),2/24(日),2/25(月),2/26(火),2/27(水),"
            "2/28(木)\r\n1,A,夜,日,,,,,,,,,,,,,,,,,,,,,,,,,,");
  CliRun json;
  EXPECT_EQ(Run(json, {"show", "--format", "json"}), kExitOk);
  EXPECT_NE(json.out.str().find(R"("name":"A","roster":["夜","日","",)"), std::string::npos);
  EXPECT_NE(json.out.str().find(
                R"("duty_counts":[1,1],"work_days":2,"work_day_target":28,"days_off":26)"),
            std::string::npos)
      << json.out.str();
  CliRun totals;
  EXPECT_EQ(Run(totals, {"show", "--totals"}), kExitOk);
  EXPECT_NE(totals.out.str().find("1    A    1  1  2        28   26     0    0\n"),
            std::string::npos)
      << totals.out.str();
  EXPECT_NE(totals.out.str().find("2/2  土   1/1 0/0\n"), std::string::npos);
}

// Wishes and desired staffing show in the totals and the JSON export only when
// the workbook sets them: A's wish for 夜 on the 1st is granted, B's for 日 missed,
// and 日 on the 2nd stays one short of the two desired.
TEST_F(CheckCommand, TotalsShowWishesAndDesiredStaffingWhenSet) {
  CliRun before;
  EXPECT_EQ(Run(before, {"show", "--totals"}), kExitOk);
  EXPECT_EQ(before.out.str().find("【希望と希望人数】"), std::string::npos);
  fx_->Set(layout::kWishTable, 1, 1, "夜");
  fx_->Set(layout::kWishWeight, 1, 1, 3);
  fx_->Set(layout::kWishTable, 2, 1, "日");
  fx_->Set(layout::kWishWeight, 2, 1, 1);
  fx_->Set(layout::kDesiredStaff, 1, 2, 2);
  fx_->Set(layout::kDesiredWeight, 1, 1, 1);
  CliRun totals;
  EXPECT_EQ(Run(totals, {"show", "--totals"}), kExitOk) << totals.err.str();
  const std::string text = totals.out.str();
  EXPECT_NE(text.find("【希望と希望人数】\n"), std::string::npos) << text;
  EXPECT_NE(text.find("希望人数に届いた日と勤務：0/1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("2/2 土 日 1/2(-1)\n"), std::string::npos) << text;
  CliRun json;
  EXPECT_EQ(Run(json, {"show", "--format", "json"}), kExitOk);
  EXPECT_NE(json.out.str().find(R"("single_rest":0,"wishes_granted":1,"wishes_missed":0})"),
            std::string::npos)
      << json.out.str();
  EXPECT_NE(json.out.str().find(R"("wishes_granted":0,"wishes_missed":1})"), std::string::npos);
  EXPECT_NE(json.out.str().find(R"("need":[0,0],"desired":[0,0]})"), std::string::npos);
}

// A clean month (A: 夜 on the 1st; B: 日 on Saturday the 2nd, the 4th and the 5th)
// and one condition per row that it breaks: check names the member, the day
// (the whole month for counts) and the rule.
TEST_F(CheckCommand, EachOptionalConditionIsReportedWhereTheMonthBreaksIt) {
  struct Row {
    const layout::NameSpec& area;
    int member;
    int column;
    int value;
    std::string line;
  };
  const Row rows[] = {
      {layout::kDutyMost, 1, 2, 0, "月全体  1 A  勤務回数：「夜」が1回で、上限の0回を超えています。"},
      {layout::kDutyLeast, 1, 1, 2, "月全体  1 A  勤務回数：「日」が0回で、下限の2回に足りません。"},
      {layout::kRestRunLeast, 2, 1, 2,
       "2/3(日)  2 B  連休の最短：この日からの休みが1日だけです（連休は2日以上）。"},
      {layout::kWorkRunLeast, 2, 1, 2,
       "2/2(土)  2 B  連勤の最短：この日からの勤務が1日だけです（連勤は2日以上）。"},
      {layout::kWorkRunMost, 2, 1, 1,
       "2/4(月)  2 B  連続勤務上限：この日から2日連続の勤務です（上限1日）。"},
      {layout::kWeekendsMost, 2, 1, 0,
       "2/2(土)  2 B  週末勤務の上限：この週末で勤務する週末が1回になります（上限0回）。"},
      {layout::kDayOffMost, 1, 1, 26,
       "月全体  1 A  勤務日数：勤務日数が1日で、休日数の上限から決まる最少の2日に足りません。"},
  };
  fx_->SetRoster(1, 2, "");
  fx_->SetRoster(2, 2, "日");
  fx_->SetRoster(2, 4, "日");
  fx_->SetRoster(2, 5, "日");
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.area.name));
    fx_->Set(row.area, row.member, row.column, row.value);
    CliRun run;
    EXPECT_EQ(Run(run, {"check"}), kExitFailure) << run.err.str();
    EXPECT_EQ(run.out.str(), "条件違反が 1 件あります。\n" + row.line + "\n");
    fx_->Set(row.area, row.member, row.column, workbook::CellValue());
  }
}

}  // namespace
}  // namespace tsumiki::cli

#include "conditions/macro_roster.h"

#include <gtest/gtest.h>

#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;
using workbook::CellValue;

constexpr int kGreen = 35;
constexpr int kLavender = 39;

class RosterMacroTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fx_->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
    fx_->SetMembers({"佐藤", "鈴木", "高橋"});
    const workbook::CellRange abbrevs = Range(book(), kTypeAbbrev);
    book().SetInteriorColorIndex(abbrevs.sheet, abbrevs.top, abbrevs.left, kGreen);
    book().SetInteriorColorIndex(abbrevs.sheet, abbrevs.top + 1, abbrevs.left, kLavender);
  }
  workbook::Workbook& book() { return fx_->book(); }
  // Every member works every day: 日 on odd days, 夜 on even days.
  void FillRoster(int days) {
    for (int m = 1; m <= 3; ++m) {
      for (int d = 1; d <= days; ++d) fx_->SetRoster(m, d, d % 2 == 1 ? "日" : "夜");
    }
  }

  ScriptedHost host_;
  std::unique_ptr<LayoutWorkbook> fx_ = LayoutWorkbook::Blank(host_);
};

TEST_F(RosterMacroTest, ColourGivesEachDutyItsShortNameFillAndRestDaysNone) {
  FillRoster(31);
  fx_->SetRoster(2, 5, "");
  fx_->SetRoster(3, 6, "休暇");  // no duty type: no colour
  book().RunMacro("shift.xlsm!勤務色置換");
  EXPECT_EQ(fx_->RosterFill(1, 1), kGreen);
  EXPECT_EQ(fx_->RosterFill(1, 2), kLavender);
  EXPECT_EQ(fx_->RosterFill(2, 5), workbook::kColorIndexNone);
  EXPECT_EQ(fx_->RosterFill(3, 6), workbook::kColorIndexNone);
  // A duty that became a rest day loses its colour on the next run.
  fx_->SetRoster(1, 1, "");
  EXPECT_EQ(book().RunMacro(kMacroColour), std::nullopt);
  EXPECT_EQ(fx_->RosterFill(1, 1), workbook::kColorIndexNone);
}

TEST_F(RosterMacroTest, ClearFromTheStartDayKeepsEarlierDaysWithTheirColours) {
  FillRoster(31);
  book().RunMacro(kMacroColour);
  fx_->SetPeriod(2027, 1, 11, 1);
  EXPECT_EQ(book().RunMacro(kMacroClear), std::nullopt);
  for (int m = 1; m <= 3; ++m) {
    EXPECT_EQ(fx_->Roster(m, 10), "夜");
    EXPECT_EQ(fx_->RosterFill(m, 10), kLavender);
    EXPECT_EQ(fx_->Roster(m, 11), "");
    EXPECT_EQ(fx_->RosterFill(m, 11), workbook::kColorIndexNone);
    EXPECT_EQ(fx_->Roster(m, 31), "");
  }
}

TEST_F(RosterMacroTest, ClearFindsAStartDayInTheNextCalendarMonthOfThePeriod) {
  FillRoster(31);
  fx_->SetPeriod(2027, 1, 3, 21);  // Jan 21 .. Feb 20; Feb 3 is day 14
  book().RunMacro(kMacroClear);
  EXPECT_EQ(fx_->Roster(1, 13), "日");
  EXPECT_EQ(fx_->Roster(1, 14), "");
  fx_->SetPeriod(2027, 1, 1, 1);
  book().RunMacro(kMacroClear);
  EXPECT_EQ(fx_->Roster(1, 1), "");
}

TEST_F(RosterMacroTest, ClearWithoutAStartDayClearsNothingAndSaysWhy) {
  FillRoster(31);
  fx_->Set(kStartDayOfMonth, "十日");
  const auto notice = book().RunMacro(kMacroClear);
  EXPECT_EQ(fx_->Roster(3, 31), "日");
  ASSERT_TRUE(notice);
  EXPECT_TRUE(host_.Messages().empty());  // told by the caller, not by the macro
  EXPECT_EQ(notice->title, "シフト表クリア");
  EXPECT_EQ(notice->text,
            "作成開始日が決められないため、シフト表を消去しませんでした。\r\n"
            "Mainシートの「日」「基準開始日」「年」「月」に数が入っているか確認してください。");
}

TEST_F(RosterMacroTest, TransferCopiesTheLastTenDaysAndTheMonth) {
  FillRoster(31);
  fx_->SetRoster(2, 31, "");
  book().RunMacro(kMacroTransfer);
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 10), "日");  // day 31
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 9), "夜");   // day 30
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 1), "夜");   // day 22
  EXPECT_EQ(fx_->Text(kPrevTail, 2, 10), "");
  EXPECT_EQ(fx_->Int(kPrevMonth), 1);
  EXPECT_EQ(fx_->Int(kPrevCount), 29);
}

TEST_F(RosterMacroTest, TransferTakesTheLastDaysOfAShortPeriod) {
  fx_->SetPeriod(2027, 2, 1, 1);  // 28 days
  FillRoster(28);
  fx_->SetRoster(1, 19, "");
  book().RunMacro(kMacroTransfer);
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 1), "");     // day 19
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 2), "夜");   // day 20
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 10), "夜");  // day 28
  EXPECT_EQ(fx_->Int(kPrevMonth), 2);
}

TEST_F(RosterMacroTest, TransferOfAnEmptyRosterKeepsTheStoredTail) {
  fx_->Set(kPrevTail, 1, 10, "夜");
  fx_->Set(kPrevMonth, 12);
  book().RunMacro(kMacroTransfer);
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 10), "夜");
  EXPECT_EQ(fx_->Int(kPrevMonth), 12);
  // The clear command runs the transfer before the clear, twice in a row too.
  FillRoster(31);
  book().RunMacro(kMacroTransfer);
  book().RunMacro(kMacroClear);
  book().RunMacro(kMacroTransfer);
  EXPECT_EQ(fx_->Text(kPrevTail, 1, 10), "日");
  EXPECT_EQ(fx_->Int(kPrevMonth), 1);
}

}  // namespace
}  // namespace tsumiki::layout

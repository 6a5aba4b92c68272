#include "present/readjust_window.h"

#include <gtest/gtest.h>

#include "conditions/loader.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki {
namespace {

namespace wb = workbook;
using testing::CheckRoster;
using testing::JoinProblems;
using testing::LayoutWorkbook;
using testing::ScriptedHost;

constexpr int kFillOfB = 6;  // a fill the planner gave one cell, to be kept

// February 2013 (28 days, day 1 a Friday) with 日勤 and 夜勤 and three members.
// On day 1 A works 日, B works 夜 and C, the only one free, may not take 日勤:
// freeing A takes two exchanges on that day, both with B.
class ReadjustWindowTest : public ::testing::Test {
 protected:
  ReadjustWindowTest() : fx_(LayoutWorkbook::Blank(host_)) {
    fx_->SetPeriod(2013, 2, 1, 1);
    fx_->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
    fx_->SetMembers({"A", "B", "C"});
    fx_->SetNeed(1, 1, 1);
    fx_->SetNeed(2, 1, 1);
    fx_->SetSchedule(3, 1, "日");
    fx_->SetRoster(1, 1, "日");
    fx_->SetRoster(2, 1, "夜");
    fx_->SetNeed(1, 28, 1);
    fx_->SetRoster(1, 28, "日");
    const wb::CellRange table = layout::Range(fx_->book(), layout::kTimeTable);
    fx_->book().SetInteriorColorIndex(table.sheet, table.top + 1, table.left, kFillOfB);

    LoadCounts(fx_->book(), model_);
    model_.CreateYear = 2013;
    model_.CreateMonth = 2;
    model_.CreateStartDay = 1;
    model_.BaseStartDay = 1;
    session_.WorkbookName = "shift.xlsm";
  }

  EngineContext Context() {
    return EngineContext{fx_->book(), host_, model_, run_, session_, random_};
  }
  int Border(int member, int day) const {
    const wb::CellRange table = layout::Range(fx_->book(), layout::kTimeTable);
    return fx_->book().BorderColorIndex(table.sheet, table.top + member - 1, table.left + day - 1,
                                        wb::Edge::kTop);
  }

  ScriptedHost host_;
  std::unique_ptr<LayoutWorkbook> fx_;
  ConditionModel model_;
  RunState run_;
  SessionValues session_;
  RandomSource random_{7};
};

constexpr char kTwoLineProposal[] =
    "以下のように勤務を入れ替えて調整します\n\n"
    "2013/02/01日　<3 C> ⇔ <2 B>\n\n"
    "2013/02/01日　<1 A> ⇔ <2 B>\n\n"
    "\n入れ替えますか？";

TEST_F(ReadjustWindowTest, SelectionShowsMemberDutyAndDateWithWeekday) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  EXPECT_TRUE(run_.ModelLoaded);
  window.ShowCell(2, 1);
  EXPECT_EQ(window.Selection(),
            (ReadjustSelection{2, 1, "夜", "2", "B", "夜勤", 2, "2013/2/1(金)"}));
  window.ShowCell(3, 1);  // a rest day empties the boxes
  EXPECT_EQ(window.Selection().target, "");
  EXPECT_EQ(window.Selection().member_name, "");
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kEmptyCell);
  EXPECT_EQ(host_.Messages().back().text, "選択セルは空白(休み)です！");
  EXPECT_EQ(host_.Messages().back().title, "無効");
  window.ShowCell(99, 1);  // outside the members
  EXPECT_EQ(window.Selection().target, "");
}

TEST_F(ReadjustWindowTest, TimerFollowsTheSelectionOnTheSheet) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  const wb::CellRange table = layout::Range(fx_->book(), layout::kTimeTable);
  fx_->book().Select(wb::CellRange{table.sheet, table.top, table.left, table.top, table.left});
  host_.Advance(ReadjustWindow::kTimerIntervalMs);
  host_.DoEvents();
  EXPECT_EQ(window.Selection().member_name, "A");
  EXPECT_EQ(window.Selection().date_text, "2013/2/1(金)");
  window.OnCloseClicked();
  EXPECT_FALSE(window.IsOpen());
}

TEST_F(ReadjustWindowTest, TwoLineProposalAppliedThenUndoneExactly) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  const IndexGrid<int> before = model_.Roster;
  const int border_b = Border(2, 1);
  window.ShowCell(1, 1);
  host_.QueueAnswer(MsgResult::kOk);  // the first question
  host_.QueueAnswer(MsgResult::kOk);  // the proposal
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kApplied);
  ASSERT_EQ(host_.Messages().size(), 2u);
  EXPECT_EQ(host_.Messages()[0].text,
            "2013/2/1(金) の < A >さんの< 日勤 >を休みにしてスケジュールを再調整します！\n"
            "よろしいですか？");
  EXPECT_EQ(host_.Messages()[0].title, "再調整");
  EXPECT_EQ(host_.Messages()[0].buttons, MsgButtons::kOkCancel);
  EXPECT_EQ(host_.Messages()[1].text, kTwoLineProposal);
  EXPECT_EQ(host_.Messages()[1].title, "勤務調整");

  // The selected cell is a rest day and every rule still holds.
  EXPECT_EQ(fx_->Roster(1, 1), "");
  EXPECT_EQ(fx_->Roster(2, 1), "日");
  EXPECT_EQ(fx_->Roster(3, 1), "夜");
  EXPECT_EQ(model_.Roster(1, 1), 0);
  EXPECT_TRUE(CheckRoster(model_).empty()) << JoinProblems(CheckRoster(model_));
  EXPECT_TRUE(window.UndoEnabled());
  for (int m = 1; m <= 3; ++m) {
    EXPECT_EQ(fx_->RosterFill(m, 1), kMarkInterior) << m;
    EXPECT_EQ(Border(m, 1), kMarkBorder) << m;
  }

  window.OnUndoClicked();
  EXPECT_EQ(model_.Roster, before);
  EXPECT_EQ(fx_->Roster(1, 1), "日");
  EXPECT_EQ(fx_->Roster(2, 1), "夜");
  EXPECT_EQ(fx_->Roster(3, 1), "");
  EXPECT_EQ(fx_->RosterFill(2, 1), kFillOfB);  // B's own fill, though B was marked twice
  // The workbook's own border, not a stock colour.
  EXPECT_EQ(Border(2, 1), border_b);
  EXPECT_FALSE(window.UndoEnabled());
}

TEST_F(ReadjustWindowTest, CancelRestoresColoursOnly) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  const int fill_a = fx_->RosterFill(1, 1);
  const int border_a = Border(1, 1);
  const int border_c = Border(3, 1);
  window.ShowCell(1, 1);
  host_.QueueAnswer(MsgResult::kOk);
  host_.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kCancelled);
  EXPECT_EQ(fx_->Roster(1, 1), "日");
  EXPECT_EQ(fx_->Roster(2, 1), "夜");
  EXPECT_EQ(model_.Roster(1, 1), 1);
  EXPECT_EQ(fx_->RosterFill(1, 1), fill_a);
  EXPECT_EQ(fx_->RosterFill(2, 1), kFillOfB);
  EXPECT_EQ(Border(1, 1), border_a);
  EXPECT_EQ(Border(3, 1), border_c);
  EXPECT_FALSE(window.UndoEnabled());
}

TEST_F(ReadjustWindowTest, LastDayIsRefusedBeforeAnyQuestion) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  const int fill = fx_->RosterFill(1, 28);
  const int border = Border(1, 28);
  window.ShowCell(1, 28);
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kFailed);
  // Refused at once: no question that could only lead to 調整失敗.
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_EQ(host_.Messages().back().text,
            "2013/2/28(木) は月の最終日です。\n最終日の勤務は翌日との入れ替えで勤務日数を"
            "釣り合わせられないため、再調整では休みにできません。");
  EXPECT_EQ(host_.Messages().back().title, "無効");
  EXPECT_EQ(fx_->Roster(1, 28), "日");
  EXPECT_EQ(fx_->RosterFill(1, 28), fill);
  EXPECT_EQ(Border(1, 28), border);
  EXPECT_FALSE(window.UndoEnabled());
}

TEST_F(ReadjustWindowTest, DeclinedQuestionSearchesNothing) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  window.ShowCell(1, 1);
  host_.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kNotConfirmed);
  EXPECT_EQ(host_.Messages().size(), 1u);
}

TEST_F(ReadjustWindowTest, ASheetEditedByHandIsReadAgainBeforeTheSearch) {
  ReadjustWindow window(Context());
  ASSERT_TRUE(window.Load());
  // The planner gives C the day-1 night shift by hand and takes it from B.
  fx_->SetRoster(2, 1, "");
  fx_->SetRoster(3, 1, "夜");
  window.ShowCell(1, 1);
  host_.QueueAnswer(MsgResult::kOk);
  host_.QueueAnswer(MsgResult::kOk);
  EXPECT_EQ(window.OnReadjustClicked(), ReadjustOutcome::kApplied);
  // B, now free, takes A's day duty directly; C keeps the night.
  EXPECT_EQ(window.Exchanges(), (std::vector<Exchange>{{1, 1, 2}}));
  EXPECT_EQ(fx_->Roster(2, 1), "日");
  EXPECT_EQ(fx_->Roster(3, 1), "夜");
  EXPECT_TRUE(CheckRoster(model_).empty()) << JoinProblems(CheckRoster(model_));
}

TEST(ReadjustDates, FormatsAndBaseDayOverflow) {
  const auto base = BaseDate(2013, 2, 31);  // runs on into March
  ASSERT_TRUE(base);
  EXPECT_EQ(DateWithWeekday(*base), "2013/3/3(日)");
  EXPECT_EQ(ShortDate(DayDate(*base, 30)), "2013/04/01");
  EXPECT_FALSE(BaseDate(0, 2, 1));
  EXPECT_FALSE(BaseDate(2013, 13, 1));
}

}  // namespace
}  // namespace tsumiki

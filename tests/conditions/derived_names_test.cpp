#include "conditions/derived_names.h"

#include <gtest/gtest.h>

#include "conditions/input_problems.h"
#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;
using workbook::CellValue;

class DerivedNamesTest : public ::testing::Test {
 protected:
  ScriptedHost host_;
  std::unique_ptr<LayoutWorkbook> fx_ = LayoutWorkbook::Blank(host_);
  std::vector<InputProblem> Problems() { return FindInputProblems(fx_->book()); }
};

TEST_F(DerivedNamesTest, EmptyInputsGiveZeroCountsAndNoProblems) {
  EXPECT_EQ(fx_->Int(kTypeCnt), 0);
  EXPECT_EQ(fx_->Int(kMemberCnt), 0);
  EXPECT_EQ(fx_->Int(kNumberCount), 0);
  EXPECT_EQ(fx_->Int(kNameCount), 0);
  EXPECT_EQ(fx_->Int(kScheduleCount), 0);
  EXPECT_EQ(fx_->Int(kReservationCnt), 0);
  EXPECT_EQ(fx_->Int(kPrevCount), 0);
  EXPECT_EQ(fx_->Int(kDayCnt), 31);
  for (int t = 1; t <= 10; ++t) EXPECT_EQ(fx_->Int(kDayBefore, 1, t), 0);
  EXPECT_EQ(fx_->Int(kMemberScdl, 100, 31), 0);
  EXPECT_EQ(fx_->Int(kStdDev), 0);
  EXPECT_EQ(fx_->Int(kRestDeviation), 0);
  EXPECT_EQ(fx_->Int(kRestBalance), 0);
  EXPECT_EQ(fx_->Int(kSelectedRow), 0);
  EXPECT_EQ(fx_->Int(kSelectedColumn), 0);
  EXPECT_TRUE(Problems().empty());
}

TEST_F(DerivedNamesTest, DayCountRunsToTheDayBeforeTheSameDayNextMonth) {
  struct Case {
    int year, month, base, days;
  };
  for (const Case& c : {Case{2027, 1, 1, 31}, Case{2027, 2, 1, 28}, Case{2028, 2, 1, 29},
                        Case{2027, 4, 1, 30}, Case{2027, 1, 21, 31}, Case{2027, 12, 21, 31},
                        Case{2027, 1, 31, 28}, Case{2027, 1, 30, 29}, Case{2027, 2, 30, 31}}) {
    fx_->SetPeriod(c.year, c.month, c.base, c.base);
    EXPECT_EQ(fx_->Int(kDayCnt), c.days) << c.year << "-" << c.month << "-" << c.base;
  }
  // Dates over the grids follow the period: 2027-12-21 is a Tuesday.
  fx_->SetPeriod(2027, 12, 21, 21);
  EXPECT_EQ(fx_->Text(kRosterDates, 1, 1), "12/21");
  EXPECT_EQ(fx_->Text(kRosterDates, 2, 1), "火");
  EXPECT_EQ(fx_->Text(kRosterDates, 1, 12), "1/1");
  EXPECT_EQ(fx_->Text(kNeedDates, 1, 31), "1/20");
}

TEST_F(DerivedNamesTest, NumericTextCountsAsANumberButOtherTextIsReportedNotReadAsZero) {
  fx_->Set(kYear, "2027");
  EXPECT_EQ(fx_->Int(kDayCnt), 31);
  fx_->Set(kMonth, "一月");
  EXPECT_EQ(fx_->Get(kDayCnt), CellValue(workbook::CellError{"#VALUE!"}));
  EXPECT_EQ(Problems(), (std::vector<InputProblem>{
                            {"Main", "C7", "月には数を入力してください（入力値「一月」）。"}}));
  fx_->Set(kMonth, 13);
  EXPECT_EQ(Problems(),
            (std::vector<InputProblem>{
                {"Main", "C7", "月は1から12までの数で入力してください（入力値「13」）。"}}));
}

TEST_F(DerivedNamesTest, TypeCountStopsAtTheFirstGapAndReportsNamesAfterIt) {
  fx_->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
  fx_->Set(kTypeNames, 4, 1, "研修");
  fx_->Set(kTypeAbbrev, 4, 1, "研");
  EXPECT_EQ(fx_->Int(kTypeCnt), 2);
  EXPECT_EQ(fx_->Text(kTypeList, 2, 1), "夜勤");
  EXPECT_EQ(fx_->Text(kTypeList, 2, 2), "夜");
  EXPECT_EQ(fx_->Text(kNeedTypes, 1, 1), "日勤");
  EXPECT_EQ(fx_->Text(kNeedTypes, 4, 1), "");
  EXPECT_EQ(Problems(), (std::vector<InputProblem>{
                            {"基本設定", "B10",
                             "勤務種別の一覧に空欄があります。空欄より後の「研修」は使われません。"
                             "勤務種別は上から詰めて入力してください。"}}));
  fx_->Set(kTypeAbbrev, 2, 1, CellValue());
  EXPECT_EQ(Problems().size(), 2u);
  EXPECT_EQ(Problems()[1].message,
            "勤務種別「夜勤」の略称が空欄です。シフト表に表示する略称を入力してください。");
}

TEST_F(DerivedNamesTest, NextDayBansBecomeBitMasksAndMarksOutsideTheTypesAreReported) {
  fx_->SetTypes({{"日勤", "日"}, {"早番", "早"}, {"夜勤", "夜"}});
  fx_->SetNextDayBan(3, 1);
  fx_->SetNextDayBan(3, 2);
  fx_->SetNextDayBan(3, 3);
  fx_->SetNextDayBan(2, 1);
  EXPECT_EQ(fx_->Int(kDayBefore, 1, 1), 0);
  EXPECT_EQ(fx_->Int(kDayBefore, 1, 2), 1);
  EXPECT_EQ(fx_->Int(kDayBefore, 1, 3), 7);
  EXPECT_TRUE(Problems().empty());

  fx_->SetNextDayBan(1, 5);  // column 5: no such type
  EXPECT_EQ(fx_->Int(kDayBefore, 1, 1), 0);
  EXPECT_EQ(Problems(),
            (std::vector<InputProblem>{{"基本設定", "I7",
                                        "翌日禁止の印が勤務種別の範囲の外にあります。登録されている"
                                        "勤務種別（3種類）の行と列にだけ印を付けてください。"}}));
}

TEST_F(DerivedNamesTest, MemberCountIsTheLastFilledRowAndCountsNumbersAndNamesApart) {
  fx_->SetMembers({"佐藤", "鈴木", "高橋"});
  fx_->Set(kMemberList, 2, 1, CellValue());  // number missing in row 2
  fx_->Set(kMemberList, 6, 2, "森");         // a name alone in row 6
  EXPECT_EQ(fx_->Int(kMemberCnt), 6);
  EXPECT_EQ(fx_->Int(kNumberCount), 2);
  EXPECT_EQ(fx_->Int(kNameCount), 4);
  EXPECT_EQ(fx_->Text(kRosterMembers, 3, 2), "高橋");
  EXPECT_EQ(fx_->Text(kRsvMembers, 6, 2), "森");
}

TEST_F(DerivedNamesTest, ScheduleEntriesBecomeMasks) {
  fx_->SetTypes({{"日勤", "日"}, {"早番", "早"}, {"夜勤", "夜"}, {"明け", "明"}});
  fx_->SetMembers({"佐藤", "鈴木"});
  fx_->SetSchedule(1, 1, "休");
  fx_->SetSchedule(1, 2, "夜,明");
  fx_->SetSchedule(1, 3, " 早 、夜 ");
  fx_->SetSchedule(2, 31, "日");
  EXPECT_EQ(fx_->Int(kMemberScdl, 1, 1), 1023);
  EXPECT_EQ(fx_->Int(kMemberScdl, 1, 2), 4 + 8);
  EXPECT_EQ(fx_->Int(kMemberScdl, 1, 3), 2 + 4);
  EXPECT_EQ(fx_->Int(kMemberScdl, 2, 31), 1);
  EXPECT_EQ(fx_->Int(kMemberScdl, 2, 30), 0);
  EXPECT_EQ(fx_->Int(kScheduleCount), 4);
  EXPECT_TRUE(Problems().empty());

  fx_->SetSchedule(2, 5, "夜,遅");
  EXPECT_EQ(fx_->Int(kMemberScdl, 2, 5), 4);
  EXPECT_EQ(Problems(),
            (std::vector<InputProblem>{
                {"スケジュール", "H13",
                 "「遅」は勤務種別の略称にありません。個人予定には「休」か、基本設定の略称を「,」で"
                 "区切って入力してください。"}}));
}

TEST_F(DerivedNamesTest, ALaterDuplicateShortNameWins) {
  fx_->SetTypes({{"日勤", "日"}, {"日直", "日"}});
  fx_->SetMembers({"佐藤"});
  fx_->SetSchedule(1, 1, "日");
  EXPECT_EQ(fx_->Int(kMemberScdl, 1, 1), 2);
}

TEST_F(DerivedNamesTest, ReservationsAreCountedAndUnknownOnesReported) {
  fx_->SetTypes({{"日勤", "日"}});
  fx_->SetMembers({"佐藤", "鈴木"});
  fx_->SetReservation(1, 3, "日");
  fx_->SetReservation(2, 4, "*");
  EXPECT_EQ(fx_->Int(kReservationCnt), 2);
  EXPECT_EQ(
      Problems(),
      (std::vector<InputProblem>{
          {"予約表", "F10",
           "「*」は勤務種別の略称にありません。予約表には基本設定の略称を入力してください。"}}));
}

TEST_F(DerivedNamesTest, DaysOffThatAreNoNumberOrTooManyAreReported) {
  fx_->SetMembers({"佐藤", "鈴木", "高橋"});
  fx_->SetDayOff(1, 9);
  fx_->Set(kMemberDayOff, 2, 1, "九");
  fx_->SetDayOff(3, 32);
  EXPECT_EQ(Problems(),
            (std::vector<InputProblem>{
                {"スケジュール", "C13", "休日数には数を入力してください（入力値「九」）。"},
                {"スケジュール", "C14",
                 "休日数は0から31（期間の日数）までの数で入力してください（入力値「32」）。"}}));
}

// The optional areas: one wrong entry per row, reported at its cell.
TEST_F(DerivedNamesTest, WrongEntriesInTheOptionalAreasAreReportedAtTheirCells) {
  struct Entry {
    const NameSpec& area;
    int row;
    int column;
    CellValue value;
  };
  struct Row {
    std::vector<Entry> entries;
    InputProblem problem;
  };
  const Row rows[] = {
      {{{kWishTable, 1, 2, "昼"}},
       {"スケジュール", "BQ12",
        "「昼」は勤務種別の略称にありません。希望には基本設定の略称か「休」を入力してください。"}},
      {{{kWishTable, 2, 1, "休"}, {kWishWeight, 2, 1, 10.0}},
       {"スケジュール", "CV13", "希望の比重には0から9までの整数を入力してください（入力値「10」）。"}},
      {{{kWishWeight, 1, 3, 5.0}},
       {"スケジュール", "CX12",
        "希望の比重（5）に対応する希望がありません。左の希望の表の同じ位置に略称か「休」を入力してください。"}},
      {{{kDutyMost, 1, 2, "多い"}},
       {"スケジュール", "EN12", "勤務回数の上限には数を入力してください（入力値「多い」）。"}},
      {{{kDutyLeast, 1, 2, 5.0}, {kDutyMost, 1, 2, 4.0}},
       {"スケジュール", "EN12", "勤務回数の下限（5回）が上限（4回）を超えています。"}},
      {{{kWeekendsMost, 2, 1, 7.0}},
       {"スケジュール", "EZ13", "週末勤務の上限には0から6までの整数を入力してください（入力値「7」）。"}},
      {{{kWorkRunLeast, 2, 1, 3.0}, {kWorkRunMost, 2, 1, 2.0}},
       {"スケジュール", "FB13", "連勤の最短（3日）が最長（2日）を超えています。"}},
      {{{kMemberDayOff, 2, 1, 9.0}, {kDayOffMost, 2, 1, 8.0}},
       {"スケジュール", "FA13",
        "休日数の上限（8日）が休日数（9日）より少なくなっています。休日数以上の日数にしてください。"}},
      {{{kRestRunLeast, 1, 1, 1.5}},
       {"スケジュール", "EX12",
        "連休の最短日数には0から31までの整数を入力してください（入力値「1.5」）。"}},
      {{{kDesiredStaff, 2, 1, -1.0}},
       {"要員設定", "AI8", "希望人数には0から32767までの整数を入力してください（入力値「-1」）。"}},
      {{{kScoreWeight, 1, 1, -1.0}},
       {"基本設定", "C69", "シフト評価の比重には0以上の数を入力してください（入力値「-1」）。"}},
  };
  fx_->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
  fx_->SetMembers({"佐藤", "鈴木"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.problem.cell);
    for (const Entry& e : row.entries) fx_->Set(e.area, e.row, e.column, e.value);
    EXPECT_EQ(Problems(), std::vector<InputProblem>{row.problem});
    for (const Entry& e : row.entries) fx_->Set(e.area, e.row, e.column, CellValue());
  }
}

TEST_F(DerivedNamesTest, RosterFiguresFollowTheGrid) {
  fx_->SetTypes({{"日勤", "日"}});
  fx_->SetMembers({"佐藤", "鈴木", "高橋"});
  const std::vector<int> work{20, 22, 21};
  for (int m = 1; m <= 3; ++m) {
    for (int d = 1; d <= work[static_cast<std::size_t>(m - 1)]; ++d) fx_->SetRoster(m, d, "日");
  }
  fx_->SetDayOff(1, 10);  // rests 11: one more than asked
  fx_->SetDayOff(2, 10);  // rests 9: one fewer
  // member 3 has no entry and does not count
  EXPECT_DOUBLE_EQ(fx_->Get(kStdDev).Number(), 1.0);
  EXPECT_DOUBLE_EQ(fx_->Get(kRestDeviation).Number(), 2.0);
  EXPECT_DOUBLE_EQ(fx_->Get(kRestBalance).Number(), 0.0);
  fx_->SetRoster(2, 22, "");
  EXPECT_DOUBLE_EQ(fx_->Get(kRestDeviation).Number(), 1.0);
  EXPECT_DOUBLE_EQ(fx_->Get(kRestBalance).Number(), 1.0);
}

TEST_F(DerivedNamesTest, SelectedCellIsReportedInsideTheRosterOnly) {
  auto& book = fx_->book();
  const workbook::CellRange table = Range(book, kTimeTable);
  book.Select({table.sheet, table.top + 4, table.left + 9, table.top + 4, table.left + 9});
  fx_->SetRoster(1, 1, "");  // any input change lets the recalculator run
  EXPECT_EQ(fx_->Int(kSelectedRow), 5);
  EXPECT_EQ(fx_->Int(kSelectedColumn), 10);
  book.Select({table.sheet, table.top - 1, table.left, table.top - 1, table.left});
  fx_->SetRoster(1, 1, "");
  EXPECT_EQ(fx_->Int(kSelectedRow), 0);
  EXPECT_EQ(fx_->Int(kSelectedColumn), 0);
}

TEST_F(DerivedNamesTest, LargestLayoutTenTypesHundredMembersThirtyOneDays) {
  std::vector<std::pair<std::string, std::string>> types;
  for (int t = 1; t <= 10; ++t)
    types.emplace_back("勤務" + std::to_string(t), "T" + std::to_string(t));
  fx_->SetTypes(types);
  std::vector<std::string> names;
  for (int m = 1; m <= 100; ++m) names.push_back("職員" + std::to_string(m));
  fx_->SetMembers(names);
  for (int u = 1; u <= 10; ++u) fx_->SetNextDayBan(10, u);
  for (int m = 1; m <= 100; ++m) {
    for (int d = 1; d <= 31; ++d) {
      fx_->SetSchedule(m, d, d % 2 == 0 ? "休" : "T10,T1");
      fx_->SetReservation(m, d, "T" + std::to_string(1 + (m + d) % 10));
      fx_->SetRoster(m, d, d <= 21 ? "T1" : "");
    }
    fx_->SetDayOff(m, 10);
    fx_->Set(kPrevTail, m, 10, "T1");
  }
  EXPECT_EQ(fx_->Int(kTypeCnt), 10);
  EXPECT_EQ(fx_->Int(kMemberCnt), 100);
  EXPECT_EQ(fx_->Int(kDayCnt), 31);
  EXPECT_EQ(fx_->Int(kDayBefore, 1, 10), 1023);
  EXPECT_EQ(fx_->Int(kMemberScdl, 100, 30), 1023);
  EXPECT_EQ(fx_->Int(kMemberScdl, 100, 31), 512 + 1);
  EXPECT_EQ(fx_->Int(kScheduleCount), 3100);
  EXPECT_EQ(fx_->Int(kReservationCnt), 3100);
  EXPECT_EQ(fx_->Int(kPrevCount), 100);
  EXPECT_DOUBLE_EQ(fx_->Get(kStdDev).Number(), 0.0);
  EXPECT_DOUBLE_EQ(fx_->Get(kRestDeviation).Number(), 0.0);
  EXPECT_EQ(fx_->Text(kRsvMembers, 100, 2), "職員100");
  EXPECT_EQ(fx_->Text(kWeightLabels, 10, 1), "勤務10");
  EXPECT_EQ(fx_->Text(kWeightLabels, 12, 1), "休み");
  EXPECT_TRUE(Problems().empty());
}

TEST(DerivedNamesOnOpen, AnUnchangedWorkbookStaysUnmodifiedAfterItsDerivedCellsAreRead) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Sample(host);
  EXPECT_EQ(fx->Int(kMemberCnt), 20);
  EXPECT_FALSE(fx->book().IsModified());
}

}  // namespace
}  // namespace tsumiki::layout

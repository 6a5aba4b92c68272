#include "conditions/loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/loader_messages.h"
#include "conditions/run_state.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"
#include "ui/app_identity.h"

namespace tsumiki {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;

// A small workplace on the blank workbook: three duty types, four members,
// April 2026 from the 1st (30 days), building from day 1.
struct LoadFixture {
  LoadFixture() : fx(LayoutWorkbook::Blank(host)) {
    fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}, {"明け", "明"}});
    fx->SetMembers({"佐藤", "鈴木", "高橋", "田中"});
    fx->SetPeriod(2026, 4, 1, 1);
    Period(4, 1, 1);
  }

  void Period(int month, int start_day, int base_day) {
    fx->SetPeriod(2026, month, start_day, base_day);
    model.CreateYear = 2026;
    model.CreateMonth = month;
    model.CreateStartDay = start_day;
    model.BaseStartDay = base_day;
  }

  int Load() {
    const LoadResult loaded =
        LoadConditions(LoadContext{fx->book(), host, model, 0, kDefaultImproveSeconds,
                                   /*warn=*/true});
    status_position = loaded.status_position;
    refusal = loaded.refusal;
    return loaded.start_day;
  }

  // What the planner is told: the warnings the load showed, then its refusal.
  std::vector<Notice> Told() const {
    std::vector<Notice> told;
    for (const auto& message : host.Messages()) told.push_back(Notice{.text = message.text, .title = message.title});
    if (refusal) told.push_back(*refusal);
    return told;
  }
  std::string OnlyMessage() const {
    EXPECT_EQ(Told().size(), 1U);
    return Told().empty() ? std::string() : Told().back().text;
  }
  std::string OnlyTitle() const { return Told().empty() ? std::string() : Told().back().title; }

  ScriptedHost host;
  std::unique_ptr<LayoutWorkbook> fx;
  ConditionModel model;
  int status_position = 0;
  std::optional<Notice> refusal;
};

TEST(LoadConditionsTest, ReadsTheWorkplaceAndReportsItsProgress) {
  LoadFixture f;
  f.fx->SetNeed(1, 3, 2);
  f.fx->SetNeed(2, 3, 1);
  f.fx->SetDayOff(2, 9);
  f.fx->SetNextDayBan(2, 1);
  f.fx->Set(layout::kMaxConsecWork, 5);
  f.fx->Set(layout::kStatusPosition, 2);
  ASSERT_EQ(f.Load(), 1);
  EXPECT_TRUE(f.Told().empty());
  EXPECT_EQ(f.status_position, 2);  // for the caller to keep

  const ConditionModel& m = f.model;
  EXPECT_EQ(m.DayCount, 30);
  EXPECT_EQ(m.TypeCount, 3);
  EXPECT_EQ(m.MemberCount, 4);
  EXPECT_EQ(m.TypeAbbrev(2), "夜");
  EXPECT_EQ(m.MemberInfo(3, 1), "3");
  EXPECT_EQ(m.MemberInfo(3, 2), "高橋");
  EXPECT_EQ(m.NeedTable(1, 3), 2);
  EXPECT_EQ(m.NeedTable(4, 3), 3);    // the day's total
  EXPECT_EQ(m.WorkDayTarget(1), 30);  // no days off entered
  EXPECT_EQ(m.WorkDayTarget(2), 21);
  EXPECT_EQ(m.NextDayBan(2), 1);
  EXPECT_EQ(m.MaxConsecWork, 5);
  EXPECT_TRUE(m.WorkDayAdjust);

  const std::vector<std::string> texts = f.host.StatusTexts();
  const auto at = [&](std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) - texts.begin();
  };
  EXPECT_LT(at(load_text::kStatusMembers), at(load_text::kStatusStaffing));
  EXPECT_FALSE(f.host.StatusVisible());
}

TEST(LoadConditionsTest, StartDayCountsFromThePeriodsFirstDay) {
  struct Case {
    int start, base, expected;
  };
  for (const Case c : {Case{1, 1, 1}, Case{25, 21, 5}, Case{3, 21, 13}, Case{21, 21, 1}}) {
    LoadFixture f;
    f.Period(4, c.start, c.base);  // 21 April to 20 May: 30 days
    EXPECT_EQ(f.Load(), c.expected) << c.start << " " << c.base;
  }
  // January 31 runs to February 27 (28 days): 2/1 is day 2, and no day is the 28th.
  LoadFixture late;
  late.Period(1, 1, 31);
  EXPECT_EQ(late.Load(), 2);
  LoadFixture outside;
  outside.Period(1, 28, 31);
  EXPECT_EQ(outside.Load(), -1);
  EXPECT_EQ(outside.OnlyMessage(),
            "作成開始日が作成期間の外です（28日、期間は1月31日〜2月27日）。\n"
            "[開始条件設定]で日と基準開始日を確認してください！");
}

TEST(LoadConditionsTest, SequencesKeepTheirSlots) {
  LoadFixture f;
  f.fx->Set(layout::kForbiddenPatternCnt, 2);
  f.fx->Set(layout::kForbiddenPatterns, 1, 1, "夜");
  f.fx->Set(layout::kForbiddenPatterns, 1, 3, "日");
  f.fx->Set(layout::kForbiddenPatterns, 2, 1, "明");
  f.fx->Set(layout::kForbiddenPatterns, 2, 2, "*");
  f.fx->Set(layout::kRequiredPatternCnt, 1);
  f.fx->Set(layout::kRequiredPatterns, 1, 1, "夜");
  f.fx->Set(layout::kRequiredPatterns, 1, 2, "明");
  ASSERT_EQ(f.Load(), 1);
  const ConditionModel& m = f.model;
  EXPECT_EQ(m.ForbiddenPatterns(1, 0), 2);
  EXPECT_EQ(m.ForbiddenPatterns(1, 1), 2);
  EXPECT_EQ(m.ForbiddenPatterns(1, 2), 0);
  EXPECT_EQ(m.ForbiddenPatterns(1, 3), 1);
  EXPECT_EQ(m.ForbiddenPatterns(2, 2), kAnyType);
  EXPECT_EQ(m.RequiredPatterns(1, 1), 2);
  EXPECT_EQ(m.RequiredPatterns(1, 2), 3);
  EXPECT_EQ(m.RequiredPatterns(1, 0), 2);
}

TEST(LoadConditionsTest, MemberListChecks) {
  {  // numbers 7, 8, 7: the message names the number and both rows
    LoadFixture f;
    f.fx->Set(layout::kMemberList, 1, 1, 7);
    f.fx->Set(layout::kMemberList, 2, 1, 8);
    f.fx->Set(layout::kMemberList, 3, 1, 7);
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.OnlyMessage(),
              "番号7が重複しています！（スケジュール!A14 と スケジュール!A12）"
              "[個人条件設定]を確認してください！");
    EXPECT_EQ(f.OnlyTitle(), kTitleText);
  }
  {  // a name without a number
    LoadFixture f;
    f.fx->Set(layout::kMemberList, 2, 1, workbook::CellValue());
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.OnlyMessage(),
              "番号が空白です！（スケジュール!A13）\n[個人条件設定]を確認してください！");
  }
  {  // a number without a name
    LoadFixture f;
    f.fx->Set(layout::kMemberList, 4, 2, workbook::CellValue());
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.OnlyMessage(),
              "氏名が空白です！（スケジュール!B15）\n[個人条件設定]を確認してください！");
  }
}

// A range smaller than the counts it must hold is refused before anything is read
// or written: cells beyond it belong to something else on the sheet.
TEST(LoadConditionsTest, RangesSmallerThanTheirCountsAreRefused) {
  struct Case {
    const layout::NameSpec& name;
    int rows, columns;
    const char* size;
  } cases[] = {
      {layout::kTimeTable, 3, 30, "（3行×30列あり、4行×30列が必要です）"},
      {layout::kNeedTable, 3, 29, "（3行×29列あり、3行×30列が必要です）"},
      {layout::kMemberList, 4, 1, "（4行×1列あり、4行×2列が必要です）"},
      {layout::kTypeAbbrev, 2, 1, "（2セルあり、3セルが必要です）"},
      {layout::kScheduleInput, 4, 29, "（4行×29列あり、4行×30列が必要です）"},
      {layout::kNextDayBanInput, 3, 2, "（3行×2列あり、3行×3列が必要です）"},
      {layout::kWeights, 11, 1, "（11セルあり、12セルが必要です）"},
      // the fourth member typed just below a list of three
      {layout::kMemberList, 3, 2, "（3行×2列あり、4行×2列が必要です）"},
  };
  for (const Case& c : cases) {
    LoadFixture f;
    workbook::Workbook& book = f.fx->book();
    const workbook::CellRange full = layout::Range(book, c.name);
    const workbook::CellRange small{full.sheet, full.top, full.left, full.top + c.rows - 1,
                                    full.left + c.columns - 1};
    std::optional<int> local;
    if (c.name.scope == layout::Scope::kSheet) local = book.Sheet(c.name.sheet);
    book.DefineName(c.name.name, small, local);
    f.fx->SetReservation(4, 30, "日");
    EXPECT_EQ(f.Load(), -1) << c.name.name;
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find("名前「" + std::string(c.name.name) + "」"), std::string::npos) << text;
    EXPECT_NE(text.find(c.size), std::string::npos) << text;
    EXPECT_EQ(f.fx->Roster(4, 30), "") << c.name.name;
  }
}

// Values that used to be taken silently (text read as 0, counts that can never be
// met) stop the load with the sheet and cell named.
TEST(LoadConditionsTest, ValuesThatWouldBeTakenSilentlyAreRefused) {
  using Setup = std::function<void(LoadFixture&)>;
  auto set = [](const layout::NameSpec& name, int row, int column, workbook::CellValue value) {
    return [&name, row, column, value](LoadFixture& f) { f.fx->Set(name, row, column, value); };
  };
  struct Case {
    Setup setup;
    const char* fragment;
  } cases[] = {
      {set(layout::kAttempts, 1, 1, 0),
       "Main!C10：試行回数には1以上の整数を入力してください（入力値「0」）"},
      {set(layout::kTimeLimit, 1, 1, -1),
       "：制限時間（分）には0より大きい数を入力してください（入力値「-1」）"},
      {set(layout::kAttempts, 1, 1, {}),
       "：試行回数には1以上の整数を入力してください（入力値「」）"},
      {set(layout::kTimeLimit, 1, 1, {}),
       "：制限時間（分）には0より大きい数を入力してください（入力値「」）"},
      {set(layout::kNeedTable, 1, 3, -1),
       "：必要人数には0以上の整数を入力してください（入力値「-1」）"},
      {set(layout::kNeedTable, 2, 3, 1.5),
       "：必要人数には0以上の整数を入力してください（入力値「1.5」）"},
      {[](LoadFixture& f) {
         f.fx->SetNeed(1, 3, 3);
         f.fx->SetNeed(2, 3, 2);
       },
       "：3日目の必要人数の合計（5人）がメンバー数（4人）を超えています。"},
      {set(layout::kWeights, 1, 1, "重い"),
       "：最適化比重には数を入力してください（入力値「重い」）"},
      {set(layout::kMaxConsecWork, 1, 1, "五"),
       "：連続勤務上限には数を入力してください（入力値「五」）"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kForbiddenComboCnt, 1);
         f.fx->Set(layout::kForbiddenCombos, 1, 1, "日勤");
         f.fx->Set(layout::kForbiddenCombos, 1, 2, 0);
         f.fx->Set(layout::kForbiddenCombos, 1, 4, 1);
       },
       "：組合せの人数には1以上の整数を入力してください（入力値「0」）"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kRequiredComboCnt, 1);
         f.fx->Set(layout::kRequiredCombos, 1, 1, "日勤");
         f.fx->Set(layout::kRequiredCombos, 1, 4, 1);
       },
       "：組合せの人数には1以上の整数を入力してください（入力値「」）"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kRequiredComboCnt, 1);
         f.fx->Set(layout::kRequiredCombos, 1, 1, "日勤");
         f.fx->Set(layout::kRequiredCombos, 1, 2, 1);
         f.fx->Set(layout::kRequiredCombos, 1, 9, 99);
       },
       "：番号「99」のメンバーがいません。"},
      {[](LoadFixture& f) { f.Period(4, 31, 31); },
       "：基準開始日（31日）が4月の日数（30日）を超えています。"},
      {set(layout::kCreationMode, 1, 1, "x"),
       "：Sw_確保優先（作成モード）には数を入力してください（入力値「x」）"},
      {set(layout::kCreationMode, 1, 1, 5),
       "：Sw_確保優先（作成モード）には0から2までの整数を入力してください（入力値「5」）"},
      {set(layout::kCreationMode, 1, 1, 1.5), "（作成モード）には0から2までの整数"},
      {set(layout::kAttempts, 1, 1, 2.5),
       "：試行回数には1以上の整数を入力してください（入力値「2.5」）"},
      {set(layout::kMonth, 1, 1, 2.5), "：月には1から12までの整数を入力してください"},
      {set(layout::kMemberDayOff, 1, 1, 2.5), "：休日数には0から31までの整数を"},
      {set(layout::kMaxConsecWork, 1, 1, -1),
       "：連続勤務上限には0以上の整数を入力してください（入力値「-1」）"},
      {set(layout::kMaxConsecRest, 1, 1, -1), "：連続休み上限には0以上の整数"},
      {set(layout::kWeights, 1, 1, -1),
       "：最適化比重には0以上の数を入力してください（入力値「-1」）"},
      {set(layout::kUsePrevMonth, 1, 1, "yes"),
       "：初期値使用にはTRUEかFALSEを入力してください（入力値「yes」）"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kUsePast, true);
         f.fx->Set(layout::kPastTotals, 2, 1, -1e9);
       },
       "：過去3ヶ月計には0から32767までの整数を入力してください"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kUsePrevMonth, true);
         f.fx->Set(layout::kPrevTail, 1, 10, "謎");
       },
       "：「謎」は勤務種別の略称にありません。先月の結果には"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kForbiddenPatternCnt, 1);
         f.fx->Set(layout::kForbiddenPatterns, 1, 1, "夜");
         f.fx->Set(layout::kForbiddenPatterns, 1, 2, "謎");
       },
       "：「謎」は勤務種別の略称にありません。禁止パターンには"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kRequiredPatternCnt, 1);
         f.fx->Set(layout::kRequiredPatterns, 1, 1, "夜");
         f.fx->Set(layout::kRequiredPatterns, 1, 2, "昼");
       },
       "：「昼」は勤務種別の略称にありません。必須パターンには"},
      {[](LoadFixture& f) {
         f.fx->Set(layout::kForbiddenComboCnt, 1);
         f.fx->Set(layout::kForbiddenCombos, 1, 1, "日勤");
         f.fx->Set(layout::kForbiddenCombos, 1, 2, 5);
         f.fx->Set(layout::kForbiddenCombos, 1, 4, 1);
         f.fx->Set(layout::kForbiddenCombos, 1, 9, 2);
       },
       "：組合せの人数（5人）が並べた番号の数（2人）を超えています。"},
      {[](LoadFixture& f) { f.fx->SetReservation(6, 3, "日"); },
       "：メンバーのいない行に予約があります（メンバーは4人）。"},
  };
  for (const Case& c : cases) {
    LoadFixture f;
    c.setup(f);
    EXPECT_EQ(f.Load(), -1) << c.fragment;
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find(c.fragment), std::string::npos) << text;
  }
}

// Short names and member numbers are what other cells refer to: one that reads
// as something else is refused with its cell.
TEST(LoadConditionsTest, ShortNamesAndMemberNumbersThatReadAsSomethingElse) {
  struct Case {
    std::function<void(LoadFixture&)> setup;
    const char* fragment;
  } cases[] = {
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "日"}, {"研修", "日"}, {"明け", "明"}}); },
       "略称が"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "日"}, {"休暇", "休"}, {"明け", "明"}}); },
       "「休」と「*」は略称に使えません"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "*"}, {"夜勤", "夜"}, {"明け", "明"}}); },
       "「休」と「*」は略称に使えません"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "早,遅"}, {"夜勤", "夜"}, {"明け", "明"}}); },
       "略称に「,」は使えません"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "日・"}, {"夜勤", "夜"}, {"明け", "明"}}); },
       "略称に「・」は使えません"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", "?"}, {"夜勤", "夜"}, {"明け", "明"}}); },
       "略称に「?」は使えません"},
      {[](LoadFixture& f) { f.fx->SetTypes({{"日勤", " "}, {"夜勤", "夜"}, {"明け", "明"}}); },
       "略称に「 」は使えません"},
      {[](LoadFixture& f) { f.fx->Set(layout::kMemberList, 2, 1, "A20"); },
       "番号「A20」は使えません（スケジュール!A13）"},
      {[](LoadFixture& f) { f.fx->Set(layout::kMemberList, 2, 1, -20); }, "番号「-20」は使えません"},
      {[](LoadFixture& f) { f.fx->Set(layout::kMemberList, 2, 1, 20.5); }, "番号「20.5」は使えません"},
      {[](LoadFixture& f) { f.fx->Set(layout::kMemberList, 2, 1, 1e20); }, "は使えません（スケジュール!A13）"},
  };
  for (const Case& c : cases) {
    LoadFixture f;
    c.setup(f);
    EXPECT_EQ(f.Load(), -1) << c.fragment;
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find(c.fragment), std::string::npos) << text;
  }
  LoadFixture digits;  // a number typed as text still names the member
  digits.fx->Set(layout::kMemberList, 2, 1, "12");
  EXPECT_EQ(digits.Load(), 1);
}

// The roster grid is written wholesale: over another area, or over a sheet's
// titles (which have no name), it would overwrite them.
TEST(LoadConditionsTest, ARosterGridOverAnotherAreaOrATitleIsRefusedNamingBoth) {
  struct Case {
    std::string_view sheet;
    workbook::CellRange grid;  // sheet filled in below
    std::string fragment;      // empty: accepted
    bool clear_titles = false;
  } cases[] = {
      {layout::kSheetSchedule, {0, 12, 1, 111, 31}, "シフト表（スケジュール!A12:AE111）が「"},
      {layout::kSheetRoster, {0, 7, 5, 106, 35},
       "シフト表（人員配置表!E7:AI106）が見出し「標準偏差（勤務日数）」（人員配置表!AI7）と重なって"},
      {layout::kSheetNameList, {0, 1, 1, 100, 31}, "が見出し「条件ファイル」（名前リスト!A1）と重なって"},
      {layout::kSheetRoster, {0, 7, 5, 106, 35}, "", true},  // a form whose grid reaches there
  };
  for (Case& c : cases) {
    LoadFixture f;
    workbook::Workbook& book = f.fx->book();
    c.grid.sheet = *book.FindSheet(c.sheet);
    book.DefineName(layout::kTimeTable.name, c.grid, book.Sheet(layout::kTimeTable.sheet));
    if (c.clear_titles) {
      for (int row = c.grid.top; row <= c.grid.bottom; ++row)
        book.SetValue(c.grid.sheet, row, c.grid.right, workbook::CellValue());
    }
    if (c.fragment.empty()) {
      EXPECT_EQ(f.Load(), 1);
      continue;
    }
    EXPECT_EQ(f.Load(), -1) << c.fragment;
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find(c.fragment), std::string::npos) << text;
  }
}

// Conditions no month can keep are told before the run, with both cells.
TEST(LoadConditionsTest, ContradictingConditionsAreRefusedNamingBothCells) {
  auto night_then_day = [](LoadFixture& f) {  // 夜 → 日 required
    f.fx->Set(layout::kRequiredPatternCnt, 1);
    f.fx->Set(layout::kRequiredPatterns, 1, 1, "夜");
    f.fx->Set(layout::kRequiredPatterns, 1, 2, "日");
  };
  struct Case {
    std::function<void(LoadFixture&)> setup;
    const char* fragment;
  } cases[] = {
      {[&](LoadFixture& f) {
         night_then_day(f);
         f.fx->SetNextDayBan(2, 1);
       },
       "）の「夜→日」を翌日禁止（基本設定!"},
      {[&](LoadFixture& f) {
         night_then_day(f);
         f.fx->Set(layout::kForbiddenPatternCnt, 1);
         f.fx->Set(layout::kForbiddenPatterns, 1, 1, "夜");
         f.fx->Set(layout::kForbiddenPatterns, 1, 2, "日");
       },
       "）の「夜→日」を禁止パターン（基本設定!"},
      {[](LoadFixture& f) {
         f.fx->SetNextDayBan(2, 1);
         f.fx->SetReservation(3, 7, "夜");
         f.fx->SetReservation(3, 8, "日");
       },
       "3 高橋 の予約「夜」（予約表!"},
      {[&](LoadFixture& f) {
         night_then_day(f);
         f.fx->SetReservation(1, 7, "夜");
         f.fx->SetReservation(1, 8, "明");
       },
       "）で「日」ですが、予約は「明」（予約表!"},
  };
  for (const Case& c : cases) {
    LoadFixture f;
    c.setup(f);
    EXPECT_EQ(f.Load(), -1) << c.fragment;
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find(c.fragment), std::string::npos) << text;
    EXPECT_EQ(f.OnlyTitle(), load_text::kContradictionTitle);
  }
  LoadFixture kept;  // the same reservations that keep the sequence
  night_then_day(kept);
  kept.fx->SetReservation(1, 7, "夜");
  kept.fx->SetReservation(1, 8, "日");
  EXPECT_EQ(kept.Load(), 1);
}

TEST(LoadConditionsTest, ReservationsFromTheStartDayOn) {
  LoadFixture f;
  f.Period(4, 11, 1);
  f.fx->SetReservation(1, 5, "日");   // before the start day: ignored
  f.fx->SetReservation(2, 11, "夜");  // on the start day
  f.fx->SetReservation(3, 20, "*");   // any duty: no duty that could be placed
  ASSERT_EQ(f.Load(), 11);
  const ConditionModel& m = f.model;
  EXPECT_EQ(m.Roster(1, 5), 0);
  EXPECT_EQ(m.Fixed(1, 5), 0);
  EXPECT_EQ(m.Roster(2, 11), 2);
  EXPECT_EQ(m.Fixed(2, 11), 2);
  EXPECT_EQ(f.fx->Roster(2, 11), "夜");
  EXPECT_EQ(m.WorkDays(2), 0);  // the load writes the roster; the roster layer counts it
  EXPECT_EQ(m.Roster(3, 20), 0);
  EXPECT_EQ(m.Fixed(3, 20), 0);
  EXPECT_EQ(m.WorkDays(3), 0);
  EXPECT_EQ(f.fx->Roster(1, 5), "");
}

// The reservation wins, as before; the planner is told where both cells are.
TEST(LoadConditionsTest, AReservationOnADayAskedOffIsPlacedWithAWarning) {
  LoadFixture f;
  f.fx->SetSchedule(2, 5, "休");
  f.fx->SetReservation(2, 5, "夜");
  ASSERT_EQ(f.Load(), 1);
  EXPECT_EQ(f.model.Roster(2, 5), 2);
  EXPECT_EQ(f.OnlyTitle(), "警告");
  const std::string text = f.OnlyMessage();
  EXPECT_NE(text.find("・2 鈴木 の4月5日：予約「夜」（予約表!"), std::string::npos) << text;
  EXPECT_NE(text.find("）、個人予定「休」（スケジュール!"), std::string::npos) << text;
}

TEST(LoadConditionsTest, CombinationTables) {
  {
    LoadFixture f;
    f.fx->Set(layout::kForbiddenComboCnt, 3);
    f.fx->Set(layout::kForbiddenCombos, 1, 1, "夜勤");
    f.fx->Set(layout::kForbiddenCombos, 1, 2, 2);
    f.fx->Set(layout::kForbiddenCombos, 1, 4, 3);
    f.fx->Set(layout::kForbiddenCombos, 1, 9, "4");
    f.fx->Set(layout::kForbiddenCombos, 1, 14, "x");
    f.fx->Set(layout::kForbiddenCombos, 2, 4, 1);  // no duty type: the row is skipped
    f.fx->Set(layout::kForbiddenCombos, 3, 1, "*");
    f.fx->Set(layout::kForbiddenCombos, 3, 2, 3);
    ASSERT_EQ(f.Load(), 1);
    const ComboRule& first = f.model.ForbiddenCombos(1);
    EXPECT_EQ(first.TypeIndex, 2);
    EXPECT_EQ(first.Count, 2);
    EXPECT_EQ(first.Members[1], 3);
    EXPECT_EQ(first.Members[2], 4);
    EXPECT_EQ(first.Members[3], 0);
    EXPECT_EQ(f.model.ForbiddenCombos(2), ComboRule{});
    EXPECT_EQ(f.model.ForbiddenCombos(3).TypeIndex, kAnyType);
  }
  {  // a type name that is not a duty type
    LoadFixture f;
    f.fx->Set(layout::kForbiddenComboCnt, 1);
    f.fx->Set(layout::kForbiddenCombos, 1, 1, "遅番");
    f.fx->Set(layout::kForbiddenCombos, 1, 2, 1);
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.OnlyMessage(),
              "【要員設定】の【組合せ禁止パターン】で規定外の勤務種別が設定されています！");
    EXPECT_EQ(f.OnlyTitle(), "データエラー");
    EXPECT_EQ(f.fx->book().SheetName(f.fx->book().ActiveSheet()), "要員設定");
  }
  {  // "*" cannot be a required combination's duty: the row is named
    LoadFixture f;
    f.fx->Set(layout::kRequiredComboCnt, 2);
    f.fx->Set(layout::kRequiredCombos, 1, 1, "日勤");
    f.fx->Set(layout::kRequiredCombos, 1, 2, 1);
    f.fx->Set(layout::kRequiredCombos, 2, 1, "*");
    f.fx->Set(layout::kRequiredCombos, 2, 2, 1);
    EXPECT_EQ(f.Load(), -1);
    EXPECT_EQ(f.OnlyMessage(),
              "【要員設定】の【組合せ必須パターン】の2行目で「*」が設定されています！"
              "組合せ必須には勤務種別を1つ指定してください！");
    EXPECT_EQ(f.OnlyTitle(), "データエラー");
  }
}

// Reads the load cannot do without end it with -1 and a message that names the
// sheet, the name and the cell.
TEST(LoadConditionsTest, UntoleratedReadFailuresAreReported) {
  {
    LoadFixture f;
    f.fx->Set(layout::kForbiddenComboCnt, 1);
    f.fx->Set(layout::kForbiddenCombos, 1, 1, "夜勤");
    f.fx->Set(layout::kForbiddenCombos, 1, 2, "二人");
    EXPECT_EQ(f.Load(), -1);
    const std::string text = f.OnlyMessage();
    EXPECT_EQ(text.rfind(load_text::kReadFailureLead, 0), 0U) << text;
    EXPECT_NE(text.find("要員設定"), std::string::npos) << text;
    EXPECT_NE(text.find("組合せ禁止"), std::string::npos) << text;
    const workbook::CellRange rows = layout::Range(f.fx->book(), layout::kForbiddenCombos);
    EXPECT_NE(text.find(CellAddress(rows.top, rows.left + 1)), std::string::npos) << text;
    EXPECT_FALSE(f.host.StatusVisible());
  }
  {
    LoadFixture f;
    f.fx->Set(layout::kForbiddenPatternCnt, 12);
    EXPECT_EQ(f.Load(), -1);
    const std::string text = f.OnlyMessage();
    EXPECT_NE(text.find("Kinsi_Pattern_Cnt"), std::string::npos) << text;
    EXPECT_NE(text.find(load_text::kTooManyPatterns), std::string::npos) << text;
  }
  {
    LoadFixture f;
    f.fx->Set(layout::kRequiredComboCnt, 17);
    EXPECT_EQ(f.Load(), -1);
    EXPECT_NE(f.OnlyMessage().find(load_text::kTooManyComboRows), std::string::npos);
  }
}

TEST(LoadConditionsTest, ImproveTimeIsANumberOfZeroOrMore) {
  {
    LoadFixture f;
    f.fx->Set(layout::kImproveSeconds, 0.5);
    EXPECT_GE(f.Load(), 1);
    EXPECT_EQ(f.model.ImproveSeconds, 0.5f);
  }
  for (const workbook::CellValue& bad : {workbook::CellValue(-1.0), workbook::CellValue("二秒")}) {
    LoadFixture f;
    f.fx->Set(layout::kImproveSeconds, bad);
    EXPECT_EQ(f.Load(), -1);
    const std::string text = f.OnlyMessage();
    const workbook::CellRange cell = layout::Range(f.fx->book(), layout::kImproveSeconds);
    EXPECT_NE(text.find("Main"), std::string::npos) << text;
    EXPECT_NE(text.find(CellAddress(cell.top, cell.left)), std::string::npos) << text;
  }
}

TEST(LoadConditionsTest, TypedCellsThatCannotBeUnderstoodStopTheLoad) {
  LoadFixture f;
  f.fx->SetSchedule(2, 4, "遅");
  EXPECT_EQ(f.Load(), -1);
  const std::string text = f.OnlyMessage();
  EXPECT_EQ(text.rfind(load_text::kInputProblemsLead, 0), 0U) << text;
  EXPECT_NE(text.find("「遅」"), std::string::npos) << text;
  EXPECT_EQ(f.OnlyTitle(), load_text::kInputProblemsTitle);
  // The refusal points at the first cell to fix.
  ASSERT_TRUE(f.refusal);
  EXPECT_EQ(f.refusal->sheet, layout::kSheetSchedule);
  EXPECT_FALSE(f.refusal->cell.empty());
}

TEST(LoadConditionsTest, PreviousMonthOfJanuaryIsDecember) {
  for (const int stored : {12, 11}) {
    LoadFixture f;
    f.Period(1, 1, 1);
    f.fx->Set(layout::kUsePrevMonth, true);
    f.fx->Set(layout::kPrevMonth, stored);
    f.fx->Set(layout::kPrevTail, 1, 10, "夜");
    f.fx->Set(layout::kPrevTail, 1, 9, "日");
    f.fx->Set(layout::kPrevTail, 2, 10, "*");
    ASSERT_EQ(f.Load(), 1);
    EXPECT_TRUE(f.model.UsePrevMonth);
    if (stored == 12) {
      EXPECT_EQ(f.model.PrevMonthTail(1, 1), 2);
      EXPECT_EQ(f.model.PrevMonthTail(1, 2), 1);
      EXPECT_EQ(f.model.Roster(1, 0), 2);
      EXPECT_EQ(f.model.PrevMonthTail(2, 1), 0);  // "*" is no duty
    } else {
      EXPECT_EQ(f.model.Roster(1, 0), 0);
    }
  }
}

TEST(CellAddressTest, ColumnLetters) {
  EXPECT_EQ(CellAddress(1, 1), "A1");
  EXPECT_EQ(CellAddress(7, 27), "AA7");
  EXPECT_EQ(CellAddress(2, 52), "AZ2");
  EXPECT_EQ(CellAddress(3, 53), "BA3");
  EXPECT_EQ(CellAddress(9, 702), "ZZ9");
}

TEST(AbbrevToTypeTest, LastMatchWinsAndStarIsAny) {
  ConditionModel model;
  model.Resize(3, 3, 1);
  model.TypeAbbrev(1) = "日";
  model.TypeAbbrev(2) = "夜";
  model.TypeAbbrev(3) = "日";
  EXPECT_EQ(AbbrevToType(model, "日"), 3);
  EXPECT_EQ(AbbrevToType(model, "夜"), 2);
  EXPECT_EQ(AbbrevToType(model, "ＤＡＹ"), 0);
  EXPECT_EQ(AbbrevToType(model, ""), 0);
  EXPECT_EQ(AbbrevToType(model, "*"), kAnyType);
}

}  // namespace
}  // namespace tsumiki

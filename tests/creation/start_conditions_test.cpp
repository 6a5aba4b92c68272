#include "creation/start_conditions.h"

#include <gtest/gtest.h>

#include "creation/start_conditions_apply.h"

#include <memory>

#include "conditions/layout.h"
#include "support/scripted_host.h"

namespace tsumiki {
namespace {

namespace wb = workbook;
using testing::ScriptedHost;

// A workbook with only what the dialog touches: the six cells of Main and the
// weights column on 基本設定.
class StartConditionsTest : public ::testing::Test {
 protected:
  StartConditionsTest() : book_(wb::Workbook::CreateEmpty(true)) {
    main_ = book_->AddSheet(layout::kSheetMain);
    basic_ = book_->AddSheet(layout::kSheetBasic);
    int row = 1;
    for (const layout::NameSpec* name_spec :
         {&layout::kYear, &layout::kMonth, &layout::kStartDayOfMonth, &layout::kBaseStartDay,
          &layout::kAttempts, &layout::kTimeLimit}) {
      book_->DefineName(name_spec->name, wb::CellRange{main_, row, 2, row, 2}, main_);
      ++row;
    }
    book_->DefineName(layout::kWeights.name, wb::CellRange{basic_, 1, 3, 12, 3});
    SetMain(2013, 2, 21, 21, 3, 2.5);
    for (int i = 1; i <= 12; ++i) book_->SetValue(basic_, i, 3, wb::CellValue(i * 0.5));

    model_.Resize(28, 3, 4);
    model_.TypeAbbrev(1) = "日";
    model_.TypeAbbrev(2) = "夜";
    model_.TypeAbbrev(3) = "明";
  }

  void SetMain(wb::CellValue y, wb::CellValue m, wb::CellValue d, wb::CellValue base,
               wb::CellValue attempts, wb::CellValue limit) {
    int row = 1;
    for (const auto& v : {y, m, d, base, attempts, limit}) book_->SetValue(main_, row++, 2, v);
  }
  wb::CellValue Main(int row) const { return book_->Value(main_, row, 2); }
  wb::CellValue Weight(int row) const { return book_->Value(basic_, row, 3); }

  EngineContext Context() { return EngineContext{*book_, host_, model_, run_, session_, random_}; }

  std::unique_ptr<wb::Workbook> book_;
  int main_ = 0;
  int basic_ = 0;
  ScriptedHost host_;
  ConditionModel model_;
  RunState run_;
  SessionValues session_;
  RandomSource random_{1};
};

TEST_F(StartConditionsTest, LoadShowsTheStoredValuesAndTheTypesWeights) {
  StartConditionsDialog dialog(Context());
  dialog.Load();
  EXPECT_EQ(dialog.Fields(), (StartConditionTexts{"2013", "2", "21", "21", "3", "2.5", "2"}));
  EXPECT_EQ(dialog.ScrollValue(), 2);  // 2.5 rounds half to even
  EXPECT_EQ(dialog.HeightTwips(), 1900);
  EXPECT_EQ(dialog.Caption(), "開始条件設定");
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(dialog.WeightVisible(i)) << i;
  for (int i = 4; i <= 11; ++i) EXPECT_FALSE(dialog.WeightVisible(i)) << i;
  EXPECT_TRUE(dialog.WeightVisible(12));
  EXPECT_EQ(dialog.WeightLabel(2), "夜");
  EXPECT_EQ(dialog.WeightLabel(12), "休み");
  EXPECT_EQ(dialog.WeightText(1), "0.5");
  EXPECT_EQ(dialog.WeightText(12), "6");
  EXPECT_EQ(dialog.WeightText(4), "");
  dialog.OnDetailsClicked(true);
  EXPECT_EQ(dialog.HeightTwips(), 4500);
}

TEST_F(StartConditionsTest, UnreadableValuesLeaveFieldsEmptyAndAreRefused) {
  // Text in 年 and 月 and no 制限時間 at all: the dialog still opens.
  SetMain("令和", "x", 21, 21, 3, wb::CellValue());
  StartConditionsDialog dialog(Context());
  dialog.Load();
  EXPECT_EQ(dialog.Fields().year, "");
  EXPECT_EQ(dialog.Fields().month, "");
  EXPECT_EQ(dialog.Fields().time_limit, "0");  // an empty cell is 0
  StartConditionsApplied applied = dialog.OnSetClicked();
  EXPECT_FALSE(applied);
  ASSERT_TRUE(applied.refusal);
  EXPECT_EQ(applied.refusal->text, "制限時間の入力値不正");
  EXPECT_EQ(applied.refusal->title, "入力エラー");

  dialog.Fields().time_limit = "5";
  applied = dialog.OnSetClicked();
  ASSERT_TRUE(applied.refusal);
  EXPECT_EQ(applied.refusal->text, "日付の入力に誤りがあります");
  EXPECT_EQ(applied.refusal->title, "入力不正");
  EXPECT_TRUE(host_.Messages().empty());  // the front end shows the refusal
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_EQ(Main(1), wb::CellValue("令和"));  // nothing stored
}

TEST_F(StartConditionsTest, BaseDayIsCopiedToTheStartDayButNotBack) {
  StartConditionsDialog dialog(Context());
  dialog.Load();
  dialog.Fields().base_day = "15";
  dialog.OnBaseDayChanged();
  EXPECT_EQ(dialog.Fields().day, "15");
  dialog.Fields().day = "20";
  EXPECT_EQ(dialog.Fields().base_day, "15");
  dialog.OnScrollChanged(7);
  EXPECT_EQ(dialog.Fields().time_limit, "7");
  dialog.OnScrollChanged(100000);
  EXPECT_EQ(dialog.ScrollValue(), kTimeLimitScrollMax);
}

TEST_F(StartConditionsTest, SetStoresIntoMainTheWeightsAndTheModel) {
  StartConditionsDialog dialog(Context());
  dialog.Load();
  dialog.Fields() = {"2013", "2", "28", "1", "4", "1.5", "0"};
  dialog.WeightText(1) = "2";
  dialog.WeightText(3) = "abc";  // stored as typed, unchecked
  dialog.WeightText(12) = "";
  ASSERT_TRUE(dialog.OnSetClicked());
  EXPECT_TRUE(host_.Messages().empty());
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(Main(1), wb::CellValue(2013));
  EXPECT_EQ(Main(3), wb::CellValue(28));
  EXPECT_EQ(Main(4), wb::CellValue(1));
  EXPECT_EQ(Main(5), wb::CellValue(4));
  EXPECT_EQ(Main(6), wb::CellValue(1.5));
  EXPECT_EQ(Weight(1), wb::CellValue(2.0));
  EXPECT_EQ(Weight(3), wb::CellValue("abc"));
  EXPECT_EQ(Weight(4), wb::CellValue(2.0));  // rows beyond the types are not written
  EXPECT_EQ(Weight(12), wb::CellValue());
  EXPECT_EQ(model_.CreateYear, 2013);
  EXPECT_EQ(model_.CreateStartDay, 28);
  EXPECT_EQ(model_.BaseStartDay, 1);
  EXPECT_EQ(model_.AttemptsPerDay, 4);
  EXPECT_EQ(model_.TimeLimitMinutes, 1.5f);
  EXPECT_EQ(host_.StatusTexts(), (std::vector<std::string>{"日付を設定しています！"}));
  EXPECT_FALSE(host_.StatusVisible());
  EXPECT_EQ(host_.FormEvents(), (std::vector<std::string>{"close:frm開始条件設定"}));
}

TEST_F(StartConditionsTest, LeapDayOnlyInLeapYears) {
  StartConditionsDialog dialog(Context());
  dialog.Load();
  dialog.Fields().day = "29";
  const StartConditionsApplied applied = dialog.OnSetClicked();
  ASSERT_TRUE(applied.refusal);
  EXPECT_EQ(applied.refusal->text, kDateInvalidMessage);
  dialog.Fields().day = "28";
  EXPECT_TRUE(dialog.OnSetClicked());
}

TEST_F(StartConditionsTest, AMissingNameStopsTheStoreBeforeAnyWrite) {
  // A workbook without the weights column: the refusal names it and Main is kept.
  auto book = wb::Workbook::CreateEmpty(true);
  const int main = book->AddSheet(layout::kSheetMain);
  int row = 1;
  for (const layout::NameSpec* name_spec :
       {&layout::kYear, &layout::kMonth, &layout::kStartDayOfMonth, &layout::kBaseStartDay,
        &layout::kAttempts, &layout::kTimeLimit}) {
    book->DefineName(name_spec->name, wb::CellRange{main, row, 2, row, 2}, main);
    book->SetValue(main, row++, 2, wb::CellValue(1));
  }
  EngineContext ctx{*book, host_, model_, run_, session_, random_};
  StartConditionsDialog dialog(ctx);
  dialog.Load();
  dialog.Fields() = {"2020", "1", "1", "1", "2", "3", "0"};
  const StartConditionsApplied applied = dialog.OnSetClicked();
  ASSERT_TRUE(applied.refusal);
  EXPECT_EQ(applied.refusal->title, kStartConditionsErrorTitle);
  EXPECT_NE(applied.refusal->text.find("最適化比重"), std::string::npos);
  EXPECT_TRUE(dialog.IsOpen());
  EXPECT_TRUE(dialog.IsVisible());
  EXPECT_EQ(book->Value(main, 1, 2), wb::CellValue(1));
}

// Weight settings name a row by abbreviation, type number or 休み; the first one
// that cannot be used refuses the whole request, so nothing is stored.
TEST_F(StartConditionsTest, WeightSettingsAreCheckedBeforeAnythingIsStored) {
  struct Case {
    std::vector<std::string> settings;
    std::string refusal;  // empty: stored
    int row;              // the row that then holds `value`
    wb::CellValue value;
  };
  const std::vector<Case> cases = {
      {{"夜=3", "1=2"}, "", 2, wb::CellValue(3.0)},
      {{"休み=7"}, "", 12, wb::CellValue(7.0)},
      {{"日=1", "夜"}, "--weight は「勤務=値」の形で指定してください（例：--weight 日=1.5）。", 1,
       wb::CellValue(0.5)},
      {{"宿=1"},
       "--weight の勤務「宿」が見つかりません。略称（例：日）か番号（1〜3）で指定し、"
       "休みの比重は「休み=値」としてください。",
       1, wb::CellValue(0.5)},
      {{"4=1"},
       "--weight の勤務「4」が見つかりません。略称（例：日）か番号（1〜3）で指定し、"
       "休みの比重は「休み=値」としてください。",
       1, wb::CellValue(0.5)},
      {{"日=abc"}, "最適化比重の入力値不正", 1, wb::CellValue(0.5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings.front());
    for (int i = 1; i <= 12; ++i) book_->SetValue(basic_, i, 3, wb::CellValue(i * 0.5));
    SetMain(2013, 2, 21, 21, 3, 2.5);
    StartConditionsRequest request =
        StartConditionsRequest::From(ReadStoredStartConditions(Context()));
    request.texts.day = "1";
    request.weight_settings = c.settings;
    const StartConditionsApplied applied = ApplyStartConditions(Context(), request);
    EXPECT_EQ(applied.stored, c.refusal.empty());
    EXPECT_EQ(applied.refusal ? applied.refusal->text : "", c.refusal);
    EXPECT_EQ(Main(3), c.refusal.empty() ? wb::CellValue(1) : wb::CellValue(21));
    EXPECT_EQ(Weight(c.row), c.value);
  }
  EXPECT_TRUE(host_.Messages().empty());
}

}  // namespace
}  // namespace tsumiki

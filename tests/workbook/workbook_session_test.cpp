#include <gtest/gtest.h>

#include <cmath>

#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

namespace tsumiki::workbook {
namespace {

class WorkbookSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir("session");
    book_ = Workbook::Open(testing::WriteRosterFixture(dir_));
  }
  std::filesystem::path dir_;
  std::unique_ptr<Workbook> book_;
};

TEST_F(WorkbookSessionTest, MacrosRunWithOrWithoutTheWorkbookPrefix) {
  int runs = 0;
  book_->RegisterMacro("勤務Clear", [&](Workbook& book) {
    ++runs;
    book.WriteRange(book.WorkbookRange("Time_Table"), CellValue());
    return std::optional<Notice>();
  });
  book_->RunMacro("shift.xlsm!勤務Clear");
  book_->RunMacro("!勤務Clear");
  book_->RunMacro("勤務clear");
  EXPECT_EQ(runs, 3);
  EXPECT_TRUE(book_->ReadCell(book_->WorkbookRange("Time_Table"), 1, 1).IsEmpty());
  try {
    book_->RunMacro("!勤務色置換");
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.JapaneseMessage(),
              "ファイル「shift.xlsm」名前「!勤務色置換」：マクロがありません。");
  }
}

TEST_F(WorkbookSessionTest, AppStateActiveSheetAndSelection) {
  EXPECT_EQ(book_->GetAppState(), AppState{});
  book_->SetAppState({false, false, true});
  EXPECT_EQ(book_->GetAppState(), (AppState{false, false, true}));
  book_->ActivateSheet("main");
  EXPECT_EQ(book_->ActiveSheet(), 2);
  book_->SelectRange("人員配置表", "C4");
  EXPECT_EQ(book_->ActiveSheet(), 1);
  EXPECT_EQ(book_->CurrentSelection().range, (CellRange{1, 4, 3, 4, 3}));
  EXPECT_THROW(book_->ActivateSheet("なし"), WorkbookError);
  EXPECT_EQ(book_->Version(), "16.0");
}

TEST_F(WorkbookSessionTest, RecalculatorKeepsDerivedCellsCurrentBeforeReads) {
  int runs = 0;
  // B1 of 基本設定 counts the non-empty cells of the roster.
  book_->SetRecalculator([&](Workbook& book) {
    ++runs;
    int count = 0;
    for (const auto& row : book.ReadRange(book.WorkbookRange("Time_Table")))
      for (const auto& value : row) count += value.IsEmpty() ? 0 : 1;
    book.SetValue(0, 1, 2, count);
  });
  book_->MarkDerived({0, 1, 2, 1, 2});
  EXPECT_EQ(book_->Value(0, 1, 2), CellValue(15));
  EXPECT_EQ(book_->Value(0, 1, 2), CellValue(15));
  EXPECT_EQ(runs, 1);  // no input changed, so no second run
  book_->WriteCell(book_->WorkbookRange("Time_Table"), 1, 1, CellValue());
  EXPECT_EQ(book_->Value(0, 1, 2), CellValue(14));
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(book_->IsDerived(0, 1, 2));
  EXPECT_FALSE(book_->IsDerived(0, 2, 2));
}

TEST_F(WorkbookSessionTest, ListenerHearsEveryRealChange) {
  std::vector<std::string> heard;
  book_->SetChangeListener([&](int sheet, int row, int column) {
    heard.push_back(std::to_string(sheet) + ":" + std::to_string(row) + ":" +
                    std::to_string(column));
  });
  book_->SetValue(0, 1, 2, 3);  // same value: nothing happens
  EXPECT_FALSE(book_->IsModified());
  book_->SetValue(0, 1, 2, 4);
  book_->SetInteriorColorIndex(1, 3, 2, 6);
  EXPECT_EQ(heard, (std::vector<std::string>{"0:1:2", "1:3:2"}));
  EXPECT_TRUE(book_->IsModified());
}

TEST_F(WorkbookSessionTest, FailedWritesChangeNothing) {
  CellRange table = book_->WorkbookRange("Time_Table");
  Table wrong_shape = {{CellValue(1)}};
  EXPECT_THROW(book_->WriteBlock(table, wrong_shape), WorkbookError);
  Table with_nan(3, std::vector<CellValue>(5, CellValue(1)));
  with_nan[2][4] = CellValue(std::nan(""));
  EXPECT_THROW(book_->WriteBlock(table, with_nan), WorkbookError);
  EXPECT_EQ(book_->ReadCell(table, 1, 1), CellValue("休"));
  EXPECT_FALSE(book_->IsModified());
  try {
    book_->SetValue(0, 0, 1, 1);
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.kind(), WorkbookError::Kind::kBadValue);
    EXPECT_EQ(error.JapaneseMessage(),
              "ファイル「shift.xlsm」シート「基本設定」セル R0C1：セルの値を読み取れません。"
              "（セルの位置がシートの範囲外です）");
  }
}

TEST_F(WorkbookSessionTest, WriteBlockStoresEveryValueKind) {
  CellRange block = book_->Address("Main", "C3:D4");
  Table values = {{CellValue(1.5), CellValue("早")},
                  {CellValue(false), CellValue(CellError{"#N/A"})}};
  book_->WriteBlock(block, values);
  EXPECT_EQ(book_->ReadRange(block), values);
  book_->Save();
  EXPECT_EQ(Workbook::Open(book_->Path())->ReadRange(block), values);
}

TEST_F(WorkbookSessionTest, TextsKeepBlanksControlCharactersAndEscapes) {
  const std::string texts[] = {" 前後に空白 ", "改行\nあり", "tab\tX", "bell\x07", "_x0041_"};
  for (int i = 0; i < 5; ++i) book_->SetValue(2, 10 + i, 1, texts[i]);
  book_->Save();
  auto again = Workbook::Open(book_->Path());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(again->Value(2, 10 + i, 1), CellValue(texts[i])) << i;
}

}  // namespace
}  // namespace tsumiki::workbook

#include <gtest/gtest.h>

#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

namespace tsumiki::workbook {
namespace {

class WorkbookReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir("read");
    book_ = Workbook::Open(testing::WriteRosterFixture(dir_));
  }
  std::filesystem::path dir_;
  std::unique_ptr<Workbook> book_;
};

TEST_F(WorkbookReadTest, ReadsSheetsInOrderWithoutRegardToCase) {
  ASSERT_EQ(book_->SheetCount(), 3);
  EXPECT_EQ(book_->SheetName(0), "基本設定");
  EXPECT_EQ(book_->SheetName(1), "人員配置表");
  EXPECT_EQ(book_->Sheet("MAIN"), 2);
  EXPECT_EQ(book_->Sheet("main"), 2);
  EXPECT_FALSE(book_->FindSheet("勤務表").has_value());
}

TEST_F(WorkbookReadTest, ReadsNumbersTextsBooleansAndFormulaResults) {
  EXPECT_EQ(book_->Value(0, 1, 1), CellValue("メンバー数"));
  EXPECT_EQ(book_->Value(0, 1, 2), CellValue(3));
  EXPECT_EQ(book_->Value(0, 2, 2), CellValue(1.005));
  EXPECT_EQ(book_->Value(0, 4, 2), CellValue(true));
  EXPECT_EQ(book_->Value(0, 4, 3), CellValue(false));
  EXPECT_EQ(book_->Value(0, 5, 2), CellValue(6));
  EXPECT_TRUE(book_->Value(0, 100, 100).IsEmpty());
}

TEST_F(WorkbookReadTest, DisplayedTextsFollowTheNumberFormats) {
  EXPECT_EQ(book_->DisplayText(0, 1, 2), "3");
  EXPECT_EQ(book_->DisplayText(0, 2, 2), "1.01");  // 1.005 rounds half away from zero
  EXPECT_EQ(book_->DisplayText(0, 3, 2), "2026/1/1");
  EXPECT_EQ(book_->DisplayText(0, 3, 3), "木");
  EXPECT_EQ(book_->DisplayText(0, 4, 2), "TRUE");
  EXPECT_EQ(book_->DisplayText(0, 6, 2), "12人");
  EXPECT_EQ(book_->DisplayText(0, 9, 9), "");
}

TEST_F(WorkbookReadTest, SheetLevelNameWinsOverTheWorkbookLevelOne) {
  CellRange global = book_->WorkbookRange("Time_Table");
  EXPECT_EQ(global, (CellRange{1, 3, 2, 5, 6}));
  EXPECT_EQ(book_->SheetRange("Main", "time_table"), (CellRange{2, 1, 1, 1, 2}));
  EXPECT_EQ(book_->SheetRange("人員配置表", "Time_Table"), global);
  EXPECT_EQ(book_->SheetRange("基本設定", "係数"), (CellRange{0, 2, 2, 2, 2}));
  EXPECT_FALSE(book_->HasWorkbookRange("係数"));
  EXPECT_TRUE(book_->HasSheetRange("基本設定", "Member_Cnt"));
}

TEST_F(WorkbookReadTest, ReadsRangesRelativeToTheirTopLeft) {
  CellRange table = book_->WorkbookRange("Time_Table");
  EXPECT_EQ(book_->ReadCell(table, 1, 1), CellValue("休"));
  EXPECT_EQ(book_->ReadCell(table, 1, 2), CellValue("日"));
  // Like Range.Cells, a position beyond the range reads the cell there.
  EXPECT_EQ(book_->ReadCell(table, 1, 0), CellValue("佐藤"));
  Table values = book_->ReadRange(table);
  ASSERT_EQ(values.size(), 3u);
  ASSERT_EQ(values[0].size(), 5u);
  EXPECT_EQ(values[2][1], CellValue("休"));
  auto grid = book_->ReadGrid(book_->Address("基本設定", "A1:C4"));
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_EQ(grid[2][2], "木");
  EXPECT_EQ(grid[3][0], "");
}

TEST_F(WorkbookReadTest, MissingThingsNameTheirPlace) {
  try {
    book_->SheetRange("基本設定", "Type_Cnt");
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.kind(), WorkbookError::Kind::kMissingName);
    EXPECT_EQ(
        error.JapaneseMessage(),
        "ファイル「shift.xlsm」シート「基本設定」名前「Type_Cnt」：名前が定義されていません。");
  }
  try {
    book_->Sheet("勤務表");
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.JapaneseMessage(),
              "ファイル「shift.xlsm」シート「勤務表」：シートがありません。");
  }
  try {
    book_->WorkbookRange("Rate");
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.JapaneseMessage(),
              "ファイル「shift."
              "xlsm」名前「Rate」：名前が定義されていません。（セル範囲を指していません）");
  }
}

}  // namespace
}  // namespace tsumiki::workbook

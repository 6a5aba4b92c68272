#include <gtest/gtest.h>

#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

namespace tsumiki::workbook {
namespace {

TEST(WorkbookColorTest, EveryColorIndexSurvivesWriteSaveAndReopen) {
  auto dir = testing::TempDir("colors");
  auto path = testing::WriteRosterFixture(dir);
  auto book = Workbook::Open(path);
  EXPECT_EQ(book->InteriorColorIndex(0, 7, 2), 3);  // libxlsxwriter wrote rgb FF0000
  EXPECT_EQ(book->InteriorColorIndex(0, 1, 1), kColorIndexNone);
  EXPECT_EQ(book->BorderColorIndex(0, 1, 1, Edge::kLeft), kColorIndexNone);
  for (int index = 1; index <= 56; ++index) {
    book->SetInteriorColorIndex(1, 10 + index, 2, index);
    book->SetBorderColorIndex(1, 10 + index, 3, index);
  }
  book->SetInteriorColorIndex(0, 7, 2, kColorIndexNone);
  book->Save();
  auto again = Workbook::Open(path);
  for (int index = 1; index <= 56; ++index) {
    EXPECT_EQ(again->InteriorColorIndex(1, 10 + index, 2), index);
    for (Edge edge : {Edge::kLeft, Edge::kRight, Edge::kTop, Edge::kBottom})
      EXPECT_EQ(again->BorderColorIndex(1, 10 + index, 3, edge), index);
  }
  EXPECT_EQ(again->InteriorColorIndex(0, 7, 2), kColorIndexNone);
  EXPECT_EQ(again->Value(0, 7, 2), CellValue("赤"));  // the value stays
}

TEST(WorkbookColorTest, NewFormatsAreAddedOnceAndReused) {
  auto dir = testing::TempDir("colors_reuse");
  auto path = testing::WriteRosterFixture(dir);
  auto book = Workbook::Open(path);
  for (int row = 1; row <= 50; ++row) book->SetInteriorColorIndex(1, row, 10, row % 2 == 0 ? 6 : 8);
  for (int row = 1; row <= 50; ++row) book->SetInteriorColorIndex(1, row, 10, kColorIndexNone);
  for (int row = 1; row <= 50; ++row) book->SetInteriorColorIndex(1, row, 10, 6);
  book->Save();
  std::string styles = testing::EntryText(path, "xl/styles.xml");
  size_t count = 0;
  for (size_t at = styles.find("indexed=\"13\""); at != std::string::npos;
       at = styles.find("indexed=\"13\"", at + 1))
    ++count;
  EXPECT_EQ(count, 1u);  // one fill for ColorIndex 6 (indexed 13), however often used
}

TEST(WorkbookColorTest, RejectsIndexesOutsideThePalette) {
  auto dir = testing::TempDir("colors_bad");
  auto book = Workbook::Open(testing::WriteRosterFixture(dir));
  EXPECT_THROW(book->SetInteriorColorIndex(0, 1, 1, 57), WorkbookError);
  EXPECT_THROW(book->SetBorderColorIndex(0, 1, 1, 0), WorkbookError);
  EXPECT_FALSE(book->IsModified());
}

}  // namespace
}  // namespace tsumiki::workbook

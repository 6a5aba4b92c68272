#include "workbook/a1_reference.h"

#include <gtest/gtest.h>

namespace tsumiki::workbook {
namespace {

TEST(A1ReferenceTest, ColumnsAndAreas) {
  EXPECT_EQ(ParseColumn("A"), 1);
  EXPECT_EQ(ParseColumn("az"), 52);
  EXPECT_EQ(ParseColumn("XFD"), 16384);
  EXPECT_FALSE(ParseColumn("XFE"));
  EXPECT_EQ(ColumnLetters(16384), "XFD");
  EXPECT_EQ(CellName(3, 28), "AB3");
  auto area = ParseArea("$C$3:B10");
  ASSERT_TRUE(area);
  EXPECT_EQ(area->top, 3);
  EXPECT_EQ(area->left, 2);
  EXPECT_EQ(area->bottom, 10);
  EXPECT_EQ(area->right, 3);
  auto rows = ParseArea("$2:$4");
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows->right, kMaxColumns);
  EXPECT_FALSE(ParseArea("A1048577"));
  EXPECT_FALSE(ParseArea("ABC"));
  EXPECT_FALSE(ParseArea("0.08"));
  EXPECT_FALSE(ParseArea("A1:2"));
}

TEST(A1ReferenceTest, SheetReferencesAndWhatIsNoPlainArea) {
  auto quoted = SplitSheetReference("'勤務・表 ''A'''!$B$3:$C$4");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->sheet, "勤務・表 'A'");
  EXPECT_EQ(quoted->area, "$B$3:$C$4");
  auto plain = SplitSheetReference("=シフト表!$B$3");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->sheet, "シフト表");
  for (const char* text : {"S!$A$1:$A$3,S!$C$1", "S1:S3!$A$1", "[1]S!$A$1", "#REF!", "S!#REF!",
                           "0.08", "OFFSET(S!$A$1,0,0)", "'unterminated!$A$1"})
    EXPECT_FALSE(SplitSheetReference(text)) << text;
  EXPECT_EQ(QuoteSheetName("Main"), "Main");
  EXPECT_EQ(QuoteSheetName("勤務・表"), "'勤務・表'");
  EXPECT_EQ(QuoteSheetName("It's"), "'It''s'");
}

}  // namespace
}  // namespace tsumiki::workbook

#include "workbook/number_format.h"

#include <gtest/gtest.h>

namespace tsumiki::workbook {
namespace {

struct Case {
  CellValue value;
  const char* code;
  const char* shown;
};

TEST(NumberFormatTest, ShowsValuesAsTheSpreadsheetDoes) {
  const Case cases[] = {
      {0, "General", "0"},
      {3, "General", "3"},
      {-2.5, "General", "-2.5"},
      {0.1 + 0.2, "General", "0.3"},
      {1.0 / 3, "General", "0.333333333"},
      {-1.0 / 3, "General", "-0.33333333"},
      {123456789012.0, "General", "1.23457E+11"},
      {0.00000000012, "General", "1.2E-10"},
      {12345678901.0, "General", "12345678901"},
      {1.0005, "0.000", "1.001"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {0.256, "0.0%", "25.6%"},
      {12, "0\"人\"", "12人"},
      {0.5, "#.00", ".50"},
      {1.5, "0.0#", "1.5"},
      {-4, "0;\"▲\"0", "▲4"},
      {0, "0;-0;\"－\"", "－"},
      {12345, "0.00E+00", "1.23E+04"},
      {1500, "#,##0,\"千\"", "2千"},
      {46023, "yyyy/m/d", "2026/1/1"},
      {46023, "m\"月\"d\"日\"(aaa)", "1月1日(木)"},
      {46027, "d", "5"},
      {46027, "aaaa", "月曜日"},
      {46023, "[$-411]ggge\"年\"m\"月\"d\"日\"", "令和8年1月1日"},
      {46023, "yy-mm-dd ddd", "26-01-01 Thu"},
      {46023, "mmm mmmm", "Jan January"},
      {60, "yyyy-mm-dd", "1900-02-29"},
      {61, "yyyy-mm-dd", "1900-03-01"},
      {1, "yyyy-mm-dd", "1900-01-01"},
      {59, "yyyy-mm-dd", "1900-02-28"},
      {36585, "yyyy-mm-dd ddd", "2000-02-29 Tue"},
      {73109, "yyyy-mm-dd ddd", "2100-02-28 Sun"},
      {73110, "yyyy-mm-dd", "2100-03-01"},
      {0.75, "h:mm", "18:00"},
      {0.75, "h:mm AM/PM", "6:00 PM"},
      {1.5, "[h]:mm:ss", "36:00:00"},
      {0.5 + 1.0 / 86400 * 61, "hh:mm:ss", "12:01:01"},
      {CellValue("休"), "@", "休"},
      {CellValue("早"), "0;0;0;\"[\"@\"]\"", "[早]"},
      {CellValue(true), "0.00", "TRUE"},
      {CellValue(CellError{"#DIV/0!"}), "General", "#DIV/0!"},
      {CellValue(), "0", ""},
      {7, "[Red]0;[Blue]-0", "7"},
      {1234, "[$¥-411]#,##0", "¥1,234"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCellText(c.value, c.code), c.shown) << c.code;
}

TEST(NumberFormatTest, BuiltInIdsUseTheJapaneseForms) {
  EXPECT_EQ(BuiltinFormatCode(14), "yyyy/m/d");
  EXPECT_EQ(FormatCellText(46023, BuiltinFormatCode(14)), "2026/1/1");
  EXPECT_EQ(FormatCellText(46023, BuiltinFormatCode(31)), "2026年1月1日");
  EXPECT_EQ(FormatCellText(46023, BuiltinFormatCode(58)), "令和8年1月1日");
  EXPECT_EQ(FormatCellText(0.5, BuiltinFormatCode(10)), "50.00%");
  EXPECT_EQ(BuiltinFormatCode(200), "General");
}

TEST(NumberFormatTest, DateSystem1904CountsFrom1904) {
  EXPECT_EQ(FormatCellText(0, "yyyy/m/d", true), "1904/1/1");
}

}  // namespace
}  // namespace tsumiki::workbook

#include "workbook/reading_modes.h"

#include <gtest/gtest.h>

namespace tsumiki::workbook {
namespace {

TEST(LeadingNumberTest, ReadsLikeVal) {
  EXPECT_EQ(LeadingNumber("12abc"), 12.0);
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber(" 3.5"), 3.5);
  EXPECT_EQ(LeadingNumber("-2.25人"), -2.25);
  EXPECT_EQ(LeadingNumber("+7"), 7.0);
  EXPECT_EQ(LeadingNumber("1 000"), 1000.0);  // blanks are skipped anywhere
  EXPECT_EQ(LeadingNumber("- 4"), -4.0);
  EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("1,000"), 1.0);
  EXPECT_EQ(LeadingNumber("1e3x"), 1000.0);
  EXPECT_EQ(LeadingNumber("2D2"), 200.0);
  EXPECT_EQ(LeadingNumber("1e"), 1.0);
  EXPECT_EQ(LeadingNumber("1e+"), 1.0);
  EXPECT_EQ(LeadingNumber("&H10"), 0.0);  // decimal only
  EXPECT_EQ(LeadingNumber("--1"), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
  EXPECT_THROW(LeadingNumber("1e999"), WorkbookError);
}

TEST(RoundHalfEvenTest, HalvesGoToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-0.4), 0);
  EXPECT_THROW(RoundHalfEven(3e9), WorkbookError);
}

TEST(ValueToTextTest, WritesNumbersLikeCStr) {
  EXPECT_EQ(ValueToText(CellValue{}), "");
  EXPECT_EQ(ValueToText(3.0), "3");
  EXPECT_EQ(ValueToText(2.5), "2.5");
  EXPECT_EQ(ValueToText(-0.0), "0");
  EXPECT_EQ(ValueToText(0.1 + 0.2), "0.3");  // 15 significant digits
  EXPECT_EQ(ValueToText(123456789012345.0), "123456789012345");
  EXPECT_EQ(ValueToText(1e15), "1E+15");
  EXPECT_EQ(ValueToText(1e-5), "1E-05");
  EXPECT_EQ(ValueToText(true), "True");
  EXPECT_EQ(ValueToText(false), "False");
  EXPECT_EQ(ValueToText("早番"), "早番");
  EXPECT_EQ(ValueToText(CellError{"#N/A"}), "#N/A");
}

TEST(DisplayedTextToNumberTest, LeadingNumberRounded) {
  EXPECT_EQ(DisplayedTextToNumber("31"), 31);
  EXPECT_EQ(DisplayedTextToNumber("30日"), 30);
  EXPECT_EQ(DisplayedTextToNumber("2.5"), 2);
  EXPECT_EQ(DisplayedTextToNumber("#N/A"), 0);
  EXPECT_EQ(DisplayedTextToNumber(""), 0);
}

TEST(ValueTextToNumberTest, ConvertsThroughText) {
  EXPECT_EQ(ValueTextToInt(CellValue{}), 0);
  EXPECT_EQ(ValueTextToInt(5.5), 6);
  EXPECT_EQ(ValueTextToInt(4.5), 4);
  EXPECT_EQ(ValueTextToInt("12abc"), 12);
  EXPECT_EQ(ValueTextToInt(true), 0);  // "True" has no leading number
  EXPECT_EQ(ValueTextToInt(1023.0), 1023);
  EXPECT_FLOAT_EQ(ValueTextToSingle(" 1.25 点"), 1.25f);
  // 15 significant digits first: 0.1 + 0.2 reads back as exactly 0.3.
  EXPECT_EQ(ValueTextToDouble(0.1 + 0.2), 0.3);
}

TEST(ValueTextToNumberTest, ErrorValueFailsWithThePlace) {
  const WorkbookError::Place place{"shift.xlsm", "スケジュール", "Member_Scdl", "D5"};
  try {
    ValueTextToInt(CellError{"#REF!"}, place);
    FAIL() << "no error";
  } catch (const WorkbookError& e) {
    EXPECT_EQ(e.kind(), WorkbookError::Kind::kBadValue);
    EXPECT_EQ(e.JapaneseMessage(),
              "ファイル「shift.xlsm」シート「スケジュール」名前「Member_Scdl」セル D5："
              "セルの値を読み取れません。（セルがエラー値です「#REF!」）");
  }
}

TEST(ValueToIntTest, RoundsNumbersAndNumericText) {
  EXPECT_EQ(ValueToInt(CellValue{}), 0);
  EXPECT_EQ(ValueToInt(2.5), 2);
  EXPECT_EQ(ValueToInt(-1.5), -2);
  EXPECT_EQ(ValueToInt("7"), 7);
  EXPECT_EQ(ValueToInt(" 3.5 "), 4);
  EXPECT_EQ(ValueToInt("1e2"), 100);
  EXPECT_EQ(ValueToInt(""), 0);
  EXPECT_EQ(ValueToInt("  "), 0);
  EXPECT_EQ(ValueToInt(true), -1);
  EXPECT_EQ(ValueToInt(false), 0);
  EXPECT_FLOAT_EQ(ValueToSingle(2.75), 2.75f);
  EXPECT_FLOAT_EQ(ValueToSingle("0.5"), 0.5f);
}

TEST(ValueToIntTest, NonNumericTextFailsWithTheWholeMessage) {
  const WorkbookError::Place place{"", "基本設定", "Kinsi_Pattern_Cnt", "B3"};
  for (const char* text : {"abc", "12abc", "1 2", "-", "."}) {
    EXPECT_THROW(ValueToInt(text, place), WorkbookError) << text;
  }
  try {
    ValueToInt("三", place);
    FAIL() << "no error";
  } catch (const WorkbookError& e) {
    EXPECT_EQ(e.JapaneseMessage(),
              "シート「基本設定」名前「Kinsi_Pattern_Cnt」セル B3："
              "セルの値を読み取れません。（「三」は数値ではありません）");
  }
  EXPECT_THROW(ValueToInt(CellError{"#N/A"}), WorkbookError);
  EXPECT_THROW(ValueToInt(1e12), WorkbookError);
  EXPECT_THROW(ValueToSingle(1e300), WorkbookError);
}

TEST(EqualsLogicalTest, OnlyLogicalValuesCount) {
  EXPECT_TRUE(EqualsTrue(true));
  EXPECT_FALSE(EqualsTrue(false));
  EXPECT_TRUE(EqualsFalse(false));
  EXPECT_FALSE(EqualsFalse(true));
  for (const CellValue& v : {CellValue{}, CellValue{"TRUE"}, CellValue{"FALSE"}, CellValue{-1.0},
                             CellValue{0.0}, CellValue{1.0}}) {
    EXPECT_FALSE(EqualsTrue(v));
    EXPECT_FALSE(EqualsFalse(v));
  }
}

}  // namespace
}  // namespace tsumiki::workbook

#include <gtest/gtest.h>

#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

// Package forms other producers write: namespace prefixes, cells without
// positions, no shared string table, furigana, escapes and formulas.
namespace tsumiki::workbook {
namespace {

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

class WorkbookFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    fixture_ = testing::WriteRosterFixture(dir_, false);
  }
  std::filesystem::path WithSheet1(const std::string& xml, const std::string& strings = {}) {
    std::map<std::string, std::string> replace = {{"xl/worksheets/sheet1.xml", xml}};
    if (!strings.empty()) replace["xl/sharedStrings.xml"] = strings;
    std::filesystem::path path = dir_ / "variant.xlsx";
    testing::RewritePackage(fixture_, path, replace);
    return path;
  }
  std::filesystem::path dir_, fixture_;
};

TEST_F(WorkbookFormsTest, PrefixedElementsAndCellsWithoutPositions) {
  auto path = WithSheet1(std::string("<x:worksheet xmlns:x=\"") + kMain +
                         "\"><x:sheetData><x:row><x:c><x:v>1</x:v></x:c><x:c t=\"inlineStr\">"
                         "<x:is><x:t>早</x:t></x:is></x:c></x:row><x:row r=\"3\"><x:c r=\"C3\">"
                         "<x:v>3</x:v></x:c></x:row></x:sheetData></x:worksheet>");
  {
    auto book = Workbook::Open(path);
    EXPECT_EQ(book->Value(0, 1, 1), CellValue(1));
    EXPECT_EQ(book->Value(0, 1, 2), CellValue("早"));
    EXPECT_EQ(book->Value(0, 3, 3), CellValue(3));
    book->SetValue(0, 2, 2, "遅");
    book->SetValue(0, 3, 1, 0.5);
    book->Save();
  }
  std::string saved = testing::EntryText(path, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(saved.find("<c "), std::string::npos);  // new cells share the producer's prefix
  auto book = Workbook::Open(path);
  EXPECT_EQ(book->Value(0, 2, 2), CellValue("遅"));
  EXPECT_EQ(book->Value(0, 3, 1), CellValue(0.5));
  EXPECT_EQ(book->Value(0, 3, 3), CellValue(3));
  EXPECT_EQ(book->Value(0, 1, 2), CellValue("早"));
}

TEST_F(WorkbookFormsTest, FuriganaIsSkippedAndEscapesDecoded) {
  // Appended to the fixture's table, so the other sheets keep their strings.
  std::string strings = testing::EntryText(fixture_, "xl/sharedStrings.xml");
  int first = 0;
  for (size_t at = strings.find("<si>"); at != std::string::npos; at = strings.find("<si>", at + 1))
    ++first;
  strings.insert(strings.rfind("</sst>"),
                 "<si><r><t>漢字</t></r><rPh sb=\"0\" eb=\"2\"><t>カンジ</t></rPh></si>"
                 "<si><t>一行目_x000D_\n二行目</t></si><si><t>_x005F_x0041_</t></si>");
  std::string cells;
  for (int i = 0; i < 3; ++i)
    cells += "<c r=\"" + std::string(1, static_cast<char>('A' + i)) + "1\" t=\"s\"><v>" +
             std::to_string(first + i) + "</v></c>";
  auto path =
      WithSheet1(std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData><row r=\"1\">" +
                     cells + "</row></sheetData></worksheet>",
                 strings);
  auto book = Workbook::Open(path);
  EXPECT_EQ(book->Value(0, 1, 1), CellValue("漢字"));
  EXPECT_EQ(book->Value(0, 1, 2), CellValue("一行目\r\n二行目"));
  EXPECT_EQ(book->Value(0, 1, 3), CellValue("_x0041_"));
}

TEST_F(WorkbookFormsTest, WithoutASharedStringTableTextsAreWrittenInline) {
  std::filesystem::path path = dir_ / "numbers.xlsx";
  lxw_workbook* writer = workbook_new(path.c_str());
  worksheet_write_number(workbook_add_worksheet(writer, "数値"), 0, 0, 1, nullptr);
  workbook_close(writer);
  ASSERT_EQ(testing::Entries(path).count("xl/sharedStrings.xml"), 0u);
  auto book = Workbook::Open(path);
  book->SetValue(0, 2, 1, "日勤");
  book->Save();
  EXPECT_EQ(testing::Entries(path).count("xl/sharedStrings.xml"), 0u);
  EXPECT_EQ(Workbook::Open(path)->Value(0, 2, 1), CellValue("日勤"));
}

TEST_F(WorkbookFormsTest, FormulaCellsThatCannotBeOverwritten) {
  auto path = WithSheet1(std::string("<worksheet xmlns=\"") + kMain +
                         "\"><sheetData><row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:C1\" "
                         "si=\"0\">ROW()</f><v>1</v></c><c r=\"B1\"><f t=\"shared\" si=\"0\"/>"
                         "<v>1</v></c><c r=\"C1\"><f t=\"shared\" si=\"0\"/><v>1</v></c></row>"
                         "<row r=\"2\"><c r=\"A2\"><f t=\"array\" ref=\"A2:B3\">X</f><v>0</v></c>"
                         "</row></sheetData></worksheet>");
  auto book = Workbook::Open(path);
  EXPECT_EQ(book->Value(0, 1, 2), CellValue(1));
  try {
    book->SetValue(0, 1, 1, 5);
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.JapaneseMessage(),
              "ファイル「variant.xlsx」シート「基本設定」セル A1：このセルには書き込めません。"
              "（共有数式の先頭セルです）");
  }
  EXPECT_THROW(book->SetValue(0, 3, 2, 5), WorkbookError);  // inside the array formula
  book->SetValue(0, 1, 3, 7);                               // a member of the shared group
  book->Save();
  auto again = Workbook::Open(path);
  EXPECT_EQ(again->Value(0, 1, 3), CellValue(7));
  std::string saved = testing::EntryText(path, "xl/worksheets/sheet1.xml");
  EXPECT_NE(saved.find("<c r=\"B1\"><f t=\"shared\" si=\"0\"/><v>1</v></c>"), std::string::npos);
  EXPECT_NE(saved.find("<c r=\"C1\"><v>7</v></c>"), std::string::npos);
}

}  // namespace
}  // namespace tsumiki::workbook

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <functional>

#include "workbook/a1_reference.h"
#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

// Packages built to exhaust the reader: deep nesting, dense cells, huge texts.
// Each must be refused with a message naming the part, quickly and in bounded memory.
namespace tsumiki::workbook {
namespace {

using Kind = WorkbookError::Kind;

constexpr long kMemoryCeilingKb = 500L * 1024;
constexpr double kTimeCeilingSeconds = 5.0;

std::string Repeat(std::string_view text, size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

std::string NestedRuns(size_t depth) {
  return Repeat("<r>", depth) + "<t>x</t>" + Repeat("</r>", depth);
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

class WorkbookLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir("limits");
    good_ = testing::WriteRosterFixture(dir_, false);
  }

  std::string Sheet1() { return testing::EntryText(good_, "xl/worksheets/sheet1.xml"); }
  // Sheet 1 with `rows` added before the end of its cells.
  std::string Sheet1With(std::string_view rows) {
    std::string sheet = Sheet1();
    sheet.insert(sheet.find("</sheetData>"), rows);
    return sheet;
  }

  std::filesystem::path Variant(const std::string& name,
                                const std::map<std::string, std::string>& replace) {
    std::filesystem::path path = dir_ / name;
    testing::RewritePackage(good_, path, replace);
    return path;
  }

  // Runs `step`, which must throw a WorkbookError, within the time and memory ceilings.
  WorkbookError Fails(const std::string& label, const std::function<void()>& step) {
    auto start = std::chrono::steady_clock::now();
    std::optional<WorkbookError> caught;
    try {
      step();
    } catch (const WorkbookError& error) {
      caught = error;
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), kTimeCeilingSeconds) << label;
    EXPECT_LT(PeakMemoryKb(), kMemoryCeilingKb) << label;
    if (!caught) {
      ADD_FAILURE() << label << ": no error";
      return WorkbookError(Kind::kBadPackage, {});
    }
    return *caught;
  }

  std::filesystem::path dir_, good_;
};

TEST_F(WorkbookLimitsTest, DeeplyNestedRunsAreRefusedNamingThePart) {
  const std::string sst =
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si>" +
      NestedRuns(60000) + "</si></sst>";
  const std::string inline_cell =
      "<row r=\"90\"><c r=\"A90\" t=\"inlineStr\"><is>" + NestedRuns(60000) + "</is></c></row>";
  struct Case {
    const char* file;
    std::string part;
    std::string xml;
  } cases[] = {
      {"deep_sst.xlsx", "xl/sharedStrings.xml", sst},
      {"deep_inline.xlsx", "xl/worksheets/sheet1.xml", Sheet1With(inline_cell)},
  };
  for (const Case& c : cases) {
    auto path = Variant(c.file, {{c.part, c.xml}});
    auto error = Fails(c.file, [&] { Workbook::Open(path); });
    EXPECT_EQ(error.kind(), Kind::kUnsafePackage) << c.file;
    EXPECT_EQ(error.detail(), "XML の入れ子が深すぎます：" + c.part) << c.file;
  }
}

TEST_F(WorkbookLimitsTest, RunsNestedWithinTheLimitStillReadTheirText) {
  auto path = Variant("runs.xlsx",
                      {{"xl/worksheets/sheet1.xml",
                        Sheet1With("<row r=\"90\"><c r=\"A90\" t=\"inlineStr\"><is><t>早</t>" +
                                   NestedRuns(100) + "<rPh><t>ハヤ</t></rPh></is></c></row>")}});
  EXPECT_EQ(Workbook::Open(path)->Value(0, 90, 1), CellValue("早x"));
}

}  // namespace
}  // namespace tsumiki::workbook

namespace tsumiki::workbook {
namespace {

TEST_F(WorkbookLimitsTest, DenseCellsAndHugeTextsAreRefusedBeforeTheyFillMemory) {
  const std::string dense_row = Repeat("<c/>", 16000);
  std::string dense;
  for (int row = 100; row < 100 + 126; ++row)
    dense += "<row r=\"" + std::to_string(row) + "\">" + dense_row + "</row>";
  auto dense_path = Variant("dense.xlsx", {{"xl/worksheets/sheet1.xml", Sheet1With(dense)}});
  auto too_many = Fails("dense", [&] { Workbook::Open(dense_path); });
  EXPECT_EQ(too_many.kind(), Kind::kUnsafePackage);
  EXPECT_EQ(too_many.detail(),
            "セルが多すぎます（ブック全体で 1,000,000 個まで）：xl/worksheets/sheet1.xml");

  auto long_path = Variant("long_text.xlsx",
                           {{"xl/worksheets/sheet1.xml",
                             Sheet1With("<row r=\"90\"><c r=\"B90\" t=\"inlineStr\"><is><t>" +
                                        std::string(10u << 20, 'a') + "</t></is></c></row>")}});
  auto too_long = Fails("long text", [&] { Workbook::Open(long_path); });
  EXPECT_EQ(too_long.kind(), Kind::kBadValue);
  EXPECT_EQ(too_long.place().cell, "B90");
  EXPECT_EQ(too_long.detail(), "セルの文字数が 32,767 文字を超えています");
  auto fits = Variant("long_enough.xlsx",
                      {{"xl/worksheets/sheet1.xml",
                        Sheet1With("<row r=\"90\"><c r=\"B90\" t=\"inlineStr\"><is><t>" +
                                   Repeat("休", 32767) + "</t></is></c></row>")}});
  EXPECT_EQ(Workbook::Open(fits)->Value(0, 90, 2).Text().size(), 3u * 32767);
}

TEST_F(WorkbookLimitsTest, WholeColumnNamesStandForTheCellsThatExist) {
  std::string names = testing::EntryText(good_, "xl/workbook.xml");
  names.replace(names.find("人員配置表!$B$3:$F$5"), std::strlen("人員配置表!$B$3:$F$5"),
                "人員配置表!$A:$XFD");
  auto book = Workbook::Open(Variant("columns.xlsx", {{"xl/workbook.xml", names}}));
  auto start = std::chrono::steady_clock::now();
  CellRange range = book->WorkbookRange("Time_Table");
  EXPECT_EQ(range, (CellRange{1, 1, 1, 5, 6}));
  EXPECT_EQ(book->ReadRange(range)[4][5], CellValue("休"));
  book->WriteRange(range, CellValue());
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took.count(), kTimeCeilingSeconds);
  EXPECT_LT(PeakMemoryKb(), kMemoryCeilingKb);

  auto whole_grid = Fails("whole grid", [&] { book->ReadRange({1, 1, 1, kMaxRows, kMaxColumns}); });
  EXPECT_EQ(whole_grid.detail(), "範囲のセルが多すぎます（2,000,000 個まで）");
}

}  // namespace
}  // namespace tsumiki::workbook

namespace tsumiki::workbook {
namespace {

TEST_F(WorkbookLimitsTest, CellsOutOfOrderAreReadAndSavedInOrder) {
  auto path = Variant("unordered.xlsx",
                      {{"xl/worksheets/sheet1.xml",
                        Sheet1With("<row r=\"92\"><c r=\"C92\"><v>3</v></c><c r=\"A92\"><v>1</v>"
                                   "</c></row><row r=\"91\"><c r=\"B91\"><v>2</v></c></row>")}});
  auto book = Workbook::Open(path);
  EXPECT_EQ(book->Value(0, 92, 1), CellValue(1));
  EXPECT_EQ(book->Value(0, 91, 2), CellValue(2));
  book->SetValue(0, 92, 2, 5);
  book->Save();
  std::string saved = testing::EntryText(path, "xl/worksheets/sheet1.xml");
  EXPECT_LT(saved.find("r=\"B91\""), saved.find("r=\"A92\""));
  EXPECT_LT(saved.find("r=\"A92\""), saved.find("r=\"B92\""));
  EXPECT_LT(saved.find("r=\"B92\""), saved.find("r=\"C92\""));
  EXPECT_EQ(Workbook::Open(path)->Value(0, 92, 3), CellValue(3));
}

// Damaged or odd packages: the message says what is wrong and where.
TEST_F(WorkbookLimitsTest, DamagedPackagesSayWhatIsWrongAndWhere) {
  std::string twice = Sheet1With("<row r=\"92\"><c r=\"C92\"/><c r=\"C92\"/></row>");
  std::string wrong_row = Sheet1With("<row r=\"92\"><c r=\"C93\"/></row>");
  std::string rels = testing::EntryText(good_, "xl/_rels/workbook.xml.rels");
  rels.replace(rels.find("worksheets/sheet1.xml"), std::strlen("worksheets/sheet1.xml"),
               "../../outside.xml");
  struct Case {
    const char* file;
    std::map<std::string, std::string> replace;
    Kind kind;
    const char* message;
  } cases[] = {
      {"twice.xlsx",
       {{"xl/worksheets/sheet1.xml", twice}},
       Kind::kBadPackage,
       "ファイル「twice.xlsx」シート「基本設定」セル C92：ブックの中身が不完全です。"
       "（同じ位置のセルが 2 つあります）"},
      {"wrong_row.xlsx",
       {{"xl/worksheets/sheet1.xml", wrong_row}},
       Kind::kBadPackage,
       "ファイル「wrong_row.xlsx」シート「基本設定」セル C93：ブックの中身が不完全です。"
       "（セルの番地が行と一致しません）"},
      {"outside.xlsx",
       {{"xl/_rels/workbook.xml.rels", rels}},
       Kind::kUnsafePackage,
       "ファイル「outside.xlsx」シート「基本設定」：ブックに安全でない内容があるため開けません。"
       "（シートの部品がブックの外を指しています：../../outside.xml）"},
  };
  for (const Case& c : cases) {
    auto path = Variant(c.file, c.replace);
    auto error = Fails(c.file, [&] { Workbook::Open(path); });
    EXPECT_EQ(error.kind(), c.kind) << c.file;
    EXPECT_EQ(error.JapaneseMessage(), c.message);
  }
}

TEST_F(WorkbookLimitsTest, AFlippedByteIsADamagedFile) {
  const std::string name = "xl/worksheets/sheet1.xml";
  std::string bytes = testing::ReadFile(good_);
  auto get16 = [&](size_t at) {
    return static_cast<size_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
  };
  size_t at = bytes.find("PK\x03\x04");
  while (at != std::string::npos && bytes.compare(at + 30, name.size(), name) != 0)
    at = bytes.find("PK\x03\x04", at + 1);
  ASSERT_NE(at, std::string::npos);
  size_t data = at + 30 + get16(at + 26) + get16(at + 28);
  size_t central = bytes.find("PK\x01\x02");
  while (central != std::string::npos && bytes.compare(central + 46, name.size(), name) != 0)
    central = bytes.find("PK\x01\x02", central + 1);
  ASSERT_NE(central, std::string::npos);
  size_t compressed = get16(central + 20) | get16(central + 22) << 16;
  bytes[data + compressed / 2] ^= 0x10;
  auto path = dir_ / "flipped.xlsx";
  testing::WriteFile(path, bytes);
  auto error = Fails("flipped", [&] { Workbook::Open(path); });
  EXPECT_EQ(error.kind(), Kind::kNotAPackage);
  EXPECT_EQ(error.detail(),
            "ZIP の中のファイルが壊れています（検査値が一致しません）。ファイルが破損しています："
            "xl/worksheets/sheet1.xml");
}

TEST_F(WorkbookLimitsTest, AFileThatMayNotBeReadSaysSo) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  std::filesystem::permissions(good_, std::filesystem::perms::none);
  auto error = Fails("unreadable", [&] { Workbook::Open(good_); });
  std::filesystem::permissions(good_, std::filesystem::perms::owner_all);
  EXPECT_EQ(error.kind(), Kind::kUnreadable);
}

}  // namespace
}  // namespace tsumiki::workbook

namespace tsumiki::workbook {
namespace {

// Each cell holds its own copy of a shared string: 100,000 cells on one string of
// 32,767 characters are 3 GB of text from a file of 300 KB.
TEST_F(WorkbookLimitsTest, ASharedStringUsedByManyCellsCountsOncePerCell) {
  std::string sst = testing::EntryText(good_, "xl/sharedStrings.xml");
  size_t index = 0;
  for (size_t at = sst.find("<si>"); at != std::string::npos; at = sst.find("<si>", at + 1))
    ++index;
  sst.insert(sst.rfind("</sst>"), "<si><t>" + std::string(32767, 'x') + "</t></si>");
  std::string rows;
  const std::string cell_tail = "\" t=\"s\"><v>" + std::to_string(index) + "</v></c>";
  for (int row = 100; row < 100 + 1000; ++row) {
    rows += "<row r=\"" + std::to_string(row) + "\">";
    for (int column = 1; column <= 100; ++column)
      rows += "<c r=\"" + CellName(row, column) + cell_tail;
    rows += "</row>";
  }
  auto path = Variant("bomb.xlsx", {{"xl/sharedStrings.xml", sst},
                                    {"xl/worksheets/sheet1.xml", Sheet1With(rows)}});
  auto error = Fails("bomb", [&] { Workbook::Open(path); });
  EXPECT_EQ(error.kind(), Kind::kUnsafePackage);
  EXPECT_EQ(error.place().sheet, "基本設定");
  EXPECT_EQ(error.detail(),
            "セルの文字列が多すぎます（ブック全体で 128 MB まで。共有文字列は使うセルごとに数えます）");
}

}  // namespace
}  // namespace tsumiki::workbook

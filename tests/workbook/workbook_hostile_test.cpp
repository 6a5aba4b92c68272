#include <gtest/gtest.h>

#include <cstring>

#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

namespace tsumiki::workbook {
namespace {

using Kind = WorkbookError::Kind;

class WorkbookHostileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir("hostile");
    good_ = testing::WriteRosterFixture(dir_, false);
  }

  // Opens `path` expecting a WorkbookError; returns it.
  WorkbookError OpenFails(const std::filesystem::path& path) {
    try {
      Workbook::Open(path);
    } catch (const WorkbookError& error) {
      return error;
    }
    ADD_FAILURE() << "opened " << path;
    return WorkbookError(Kind::kBadPackage, {});
  }

  std::filesystem::path Variant(const std::string& name,
                                const std::map<std::string, std::string>& replace,
                                const std::vector<std::string>& drop = {}) {
    std::filesystem::path path = dir_ / name;
    testing::RewritePackage(good_, path, replace, drop);
    return path;
  }

  std::string Sheet1() { return testing::EntryText(good_, "xl/worksheets/sheet1.xml"); }

  std::filesystem::path dir_, good_;
};

TEST_F(WorkbookHostileTest, FilesThatAreNoWorkbookPackages) {
  auto missing = OpenFails(dir_ / "無い.xlsm");
  EXPECT_EQ(missing.JapaneseMessage(), "ファイル「無い.xlsm」：ファイルが見つかりません。");

  testing::WriteFile(dir_ / "old.xls",
                     std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
  auto legacy = OpenFails(dir_ / "old.xls");
  EXPECT_EQ(legacy.kind(), Kind::kLegacyFormat);
  EXPECT_EQ(legacy.JapaneseMessage(),
            "ファイル「old.xls」：古い形式（.xls）または暗号化されたブックは開けません。"
            ".xlsm または .xlsx で保存し直してください。");

  testing::WriteFile(dir_ / "text.xlsx", "name,value\n");
  EXPECT_EQ(OpenFails(dir_ / "text.xlsx").kind(), Kind::kNotAPackage);
  testing::WriteFile(dir_ / "empty.xlsx", "");
  EXPECT_EQ(OpenFails(dir_ / "empty.xlsx").kind(), Kind::kNotAPackage);

  std::string bytes = testing::ReadFile(good_);
  testing::WriteFile(dir_ / "cut.xlsx", bytes.substr(0, bytes.size() / 2));
  auto cut = OpenFails(dir_ / "cut.xlsx");
  EXPECT_EQ(cut.kind(), Kind::kNotAPackage);
  EXPECT_EQ(cut.JapaneseMessage(),
            "ファイル「cut.xlsx」：ブックのファイルが壊れているか、ブックではありません。"
            "（ZIP の構造が壊れています。ファイルが途中で切れていないか確認してください）");
}

TEST_F(WorkbookHostileTest, PackagesMissingTheirWorkbookOrInStrictForm) {
  auto no_book = OpenFails(Variant("no_book.xlsx", {}, {"xl/workbook.xml"}));
  EXPECT_EQ(no_book.JapaneseMessage(),
            "ファイル「no_book.xlsx」：ブックの中身が不完全です。（ブック本体（xl/"
            "workbook.xml）がありません）");

  std::string strict = testing::EntryText(good_, "xl/workbook.xml");
  strict.replace(strict.find("http://schemas.openxmlformats.org/spreadsheetml/2006/main"),
                 std::strlen("http://schemas.openxmlformats.org/spreadsheetml/2006/main"),
                 "http://purl.oclc.org/ooxml/spreadsheetml/main");
  auto strict_error = OpenFails(Variant("strict.xlsx", {{"xl/workbook.xml", strict}}));
  EXPECT_EQ(strict_error.JapaneseMessage(),
            "ファイル「strict.xlsx」：ブックの中身が不完全です。（Strict Open XML "
            "形式には対応していません。「Excel ブック」形式で保存し直してください）");

  auto broken =
      OpenFails(Variant("broken.xlsx", {{"xl/worksheets/sheet1.xml", "<worksheet><sheetData>"}}));
  EXPECT_EQ(broken.kind(), Kind::kBadPackage);
}

TEST_F(WorkbookHostileTest, HugeDimensionsAreIgnoredButCellsBeyondTheGridAreRefused) {
  std::string sheet = Sheet1();
  size_t at = sheet.find("<dimension ref=\"");
  ASSERT_NE(at, std::string::npos);
  std::string huge = sheet;
  huge.replace(at, sheet.find("/>", at) - at, "<dimension ref=\"A1:XFD1048576\"");
  auto book = Workbook::Open(Variant("huge_dimension.xlsx", {{"xl/worksheets/sheet1.xml", huge}}));
  EXPECT_EQ(book->Value(0, 1, 2), CellValue(3));

  std::string far = sheet;
  far.replace(far.find("</sheetData>"), 0,
              "<row r=\"1000000000\"><c r=\"A1000000000\"><v>1</v></c></row>");
  auto error = OpenFails(Variant("far_row.xlsx", {{"xl/worksheets/sheet1.xml", far}}));
  EXPECT_EQ(error.kind(), Kind::kUnsafePackage);
  EXPECT_EQ(error.place().sheet, "基本設定");

  std::string wide = sheet;
  wide.replace(wide.find("</sheetData>"), 0, "<row r=\"90\"><c r=\"XFE90\"><v>1</v></c></row>");
  EXPECT_EQ(OpenFails(Variant("wide.xlsx", {{"xl/worksheets/sheet1.xml", wide}})).kind(),
            Kind::kUnsafePackage);
}

TEST_F(WorkbookHostileTest, EntityDeclarationsAreRefused) {
  std::string sheet = Sheet1();
  std::string doctype =
      "<!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\">]>";
  sheet.insert(sheet.find("?>") + 2, doctype);
  auto error = OpenFails(Variant("lol.xlsx", {{"xl/worksheets/sheet1.xml", sheet}}));
  EXPECT_EQ(error.kind(), Kind::kUnsafePackage);
  EXPECT_EQ(error.JapaneseMessage(),
            "ファイル「lol.xlsx」：ブックに安全でない内容があるため開けません。"
            "（XML の書式が正しくありません：xl/worksheets/sheet1.xml）");
}

TEST_F(WorkbookHostileTest, EntryNamesLeavingThePackageAreRefused) {
  for (const char* name :
       {"../evil.txt", "xl/../../evil.txt", "/etc/evil", "xl\\evil.xml", "XL/WORKBOOK.XML"}) {
    auto error = OpenFails(Variant("paths.xlsx", {{name, "x"}}));
    EXPECT_EQ(error.kind(), Kind::kUnsafePackage) << name;
  }
}

// Declares a small size for an entry that inflates to megabytes.
TEST_F(WorkbookHostileTest, EntriesLargerThanTheyDeclareAreRefused) {
  std::string padded = Sheet1() + std::string(8 << 20, ' ');
  std::filesystem::path bomb = Variant("bomb.xlsx", {{"xl/worksheets/sheet1.xml", padded}});
  std::string bytes = testing::ReadFile(bomb);
  const std::string name = "xl/worksheets/sheet1.xml";
  int patched = 0;
  auto put32 = [&](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  for (size_t at = 0; at + 46 < bytes.size(); ++at) {
    if (bytes.compare(at, 4, "PK\x03\x04") == 0 && bytes.compare(at + 30, name.size(), name) == 0) {
      put32(at + 22, 100);
      ++patched;
    }
    if (bytes.compare(at, 4, "PK\x01\x02") == 0 && bytes.compare(at + 46, name.size(), name) == 0) {
      put32(at + 24, 100);
      ++patched;
    }
  }
  ASSERT_EQ(patched, 2);
  testing::WriteFile(bomb, bytes);
  auto error = OpenFails(bomb);
  EXPECT_EQ(error.kind(), Kind::kUnsafePackage);
  EXPECT_EQ(error.detail(),
            "ZIP の中のファイルの大きさが記録と一致しません：xl/worksheets/sheet1.xml");
}

TEST_F(WorkbookHostileTest, IndexesOutOfRangeAreRefused) {
  std::string sheet = Sheet1();
  std::string bad_string = sheet;
  bad_string.replace(bad_string.find("</sheetData>"), 0,
                     "<row r=\"80\"><c r=\"A80\" t=\"s\"><v>999999</v></c></row>");
  auto error = OpenFails(Variant("sst.xlsx", {{"xl/worksheets/sheet1.xml", bad_string}}));
  EXPECT_EQ(error.kind(), Kind::kBadPackage);
  EXPECT_EQ(error.place().cell, "A80");
  std::string bad_style = sheet;
  bad_style.replace(bad_style.find("</sheetData>"), 0,
                    "<row r=\"80\"><c r=\"A80\" s=\"4000\"/></row>");
  EXPECT_EQ(OpenFails(Variant("style.xlsx", {{"xl/worksheets/sheet1.xml", bad_style}})).kind(),
            Kind::kBadPackage);
}

}  // namespace
}  // namespace tsumiki::workbook

namespace tsumiki::workbook {
namespace {

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Cells and parts that the parser would read as something else (string 0 for
// "abc", a NUL, a literal "&nosuch;", Shift_JIS bytes taken for UTF-8) are
// refused with the part or the cell.
TEST_F(WorkbookHostileTest, TextThatWouldBeMisreadIsRefused) {
  const std::string sheet = Sheet1();
  auto with_cell = [&](std::string_view cell) {
    return Replaced(sheet, "</sheetData>", "<row r=\"80\">" + std::string(cell) + "</row></sheetData>");
  };
  const std::string part = "：xl/worksheets/sheet1.xml";
  struct Case {
    const char* file;
    std::string xml;
    std::string cell;  // empty: the part is named instead
    std::string detail;
  } cases[] = {
      {"minus.xlsx", with_cell("<c r=\"A80\" t=\"s\"><v>-1</v></c>"), "A80",
       "共有文字列の番号が範囲外か、数として読めません"},
      {"abc.xlsx", with_cell("<c r=\"A80\" t=\"s\"><v>abc</v></c>"), "A80",
       "共有文字列の番号が範囲外か、数として読めません"},
      {"half.xlsx", with_cell("<c r=\"A80\" t=\"s\"><v>1.5</v></c>"), "A80",
       "共有文字列の番号が範囲外か、数として読めません"},
      {"bool7.xlsx", with_cell("<c r=\"A80\" t=\"b\"><v>7</v></c>"), "A80",
       "真偽値のセルが 0 でも 1 でもありません"},
      {"entity.xlsx", with_cell("<c r=\"A80\" t=\"inlineStr\"><is><t>&nosuch;</t></is></c>"), "",
       "XML の文字参照が正しくありません（未定義の実体名、または使えない文字番号）" + part},
      {"nul.xlsx", with_cell("<c r=\"A80\" t=\"inlineStr\"><is><t>a&#0;b</t></is></c>"), "",
       "XML の文字参照が正しくありません（未定義の実体名、または使えない文字番号）" + part},
      {"latin1.xlsx", with_cell("<c r=\"A80\" t=\"inlineStr\"><is><t>caf\xE9</t></is></c>"), "",
       "UTF-8 として読めない文字があります" + part},
      {"sjis.xlsx", Replaced(sheet, "encoding=\"UTF-8\"", "encoding=\"Shift_JIS\""), "",
       "文字コードが UTF-8 でも UTF-16 でもありません。Excel ブック形式で保存し直してください" + part},
  };
  for (const Case& c : cases) {
    const WorkbookError error = OpenFails(Variant(c.file, {{"xl/worksheets/sheet1.xml", c.xml}}));
    EXPECT_EQ(error.kind(), Kind::kBadPackage) << c.file;
    EXPECT_EQ(error.place().cell, c.cell) << c.file;
    EXPECT_EQ(error.detail(), c.detail) << c.file;
  }
  // What XML allows stays readable: the predefined entities, character references.
  auto fine = Variant("fine.xlsx", {{"xl/worksheets/sheet1.xml",
                                     with_cell("<c r=\"A80\" t=\"inlineStr\"><is><t>&lt;&#x65E5;&amp;</t></is></c>")}});
  EXPECT_EQ(Workbook::Open(fine)->Value(0, 80, 1), CellValue("<日&"));
}

// A sheet must own its part: without its relationship every write to it failed
// later as "cannot write this cell"; two sheets on one part saved one of them.
TEST_F(WorkbookHostileTest, SheetsWhoseRelationshipIsWrongAreRefused) {
  const std::string rels = testing::EntryText(good_, "xl/_rels/workbook.xml.rels");
  const std::string book = testing::EntryText(good_, "xl/workbook.xml");
  const std::string rels_part = "xl/_rels/workbook.xml.rels";
  struct Case {
    const char* file;
    std::map<std::string, std::string> replace;
    std::vector<std::string> drop;
    std::string detail;
  } cases[] = {
      {"no_rels.xlsx", {}, {rels_part}, "必要な部品がありません：" + rels_part},
      {"wrong_id.xlsx",
       {{"xl/workbook.xml", Replaced(book, "r:id=\"rId1\"", "r:id=\"rId99\"")}},
       {},
       "シートの関係 ID がブックの関係（workbook.xml.rels）にありません：rId99 " + rels_part},
      {"duplicate_id.xlsx",
       {{rels_part, Replaced(rels, "Id=\"rId2\"", "Id=\"rId1\"")}},
       {},
       "ブックの関係（workbook.xml.rels）に同じ ID が 2 つあります：rId1 " + rels_part},
      {"image_type.xlsx",
       {{rels_part, Replaced(rels, "relationships/worksheet\" Target=\"worksheets/sheet1.xml",
                             "relationships/image\" Target=\"worksheets/sheet1.xml")}},
       {},
       "シートの関係の種類がシートではありません：rId1 "
       "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image"},
      {"shared_part.xlsx",
       {{rels_part, Replaced(rels, "worksheets/sheet2.xml", "worksheets/sheet1.xml")}},
       {},
       "2 つのシートが同じ部品を指しています：xl/worksheets/sheet1.xml（シート「基本設定」と同じ）"},
  };
  for (const Case& c : cases) {
    const WorkbookError error = OpenFails(Variant(c.file, c.replace, c.drop));
    EXPECT_EQ(error.kind(), Kind::kBadPackage) << c.file;
    EXPECT_EQ(error.detail(), c.detail) << c.file;
  }
}

}  // namespace
}  // namespace tsumiki::workbook

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "workbook/file_replace.h"
#include "workbook/workbook.h"
#include "workbook/workbook_fixtures.h"

namespace tsumiki::workbook {
namespace {

using testing::Entries;
using testing::EntryText;

class WorkbookSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::TempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    path_ = testing::WriteRosterFixture(dir_);
    original_ = testing::ReadFile(path_);
  }
  std::filesystem::path dir_, path_;
  std::string original_;
};

TEST_F(WorkbookSaveTest, SaveRewritesOnlyChangedPartsAndReopensWithTheSameValues) {
  auto before = Entries(path_);
  ::chmod(path_.c_str(), 0640);
  {
    auto book = Workbook::Open(path_);
    CellRange table = book->WorkbookRange("Time_Table");
    book->WriteCell(table, 1, 1, CellValue("夜"));
    book->WriteCell(table, 3, 5, CellValue("新しい勤務"));
    book->SetValue(0, 5, 2, 7);            // was a formula
    book->SetValue(0, 40, 3, 2.5);         // a row that did not exist
    book->SetValue(0, 1, 3, true);         // between existing rows' cells
    book->SetValue(0, 2, 1, CellValue());  // clears a text
    EXPECT_TRUE(book->IsModified());
    book->Save();
    EXPECT_FALSE(book->IsModified());
  }
  EXPECT_EQ(testing::ReadFile(std::filesystem::path(path_.string() + ".bak")), original_);
  struct stat info;
  ASSERT_EQ(::stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  auto after = Entries(path_);
  std::set<std::string> rewritten = {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                                     "xl/workbook.xml", "xl/sharedStrings.xml"};
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, facts] : before) {
    ASSERT_EQ(after.count(name), 1u) << name;
    if (rewritten.count(name) == 0) {
      EXPECT_EQ(after[name], facts) << name;
    }
  }
  EXPECT_NE(EntryText(path_, "xl/workbook.xml").find("fullCalcOnLoad=\"1\""), std::string::npos);

  auto book = Workbook::Open(path_);
  CellRange table = book->WorkbookRange("Time_Table");
  EXPECT_EQ(book->ReadCell(table, 1, 1), CellValue("夜"));
  EXPECT_EQ(book->ReadCell(table, 1, 2), CellValue("日"));
  EXPECT_EQ(book->ReadCell(table, 3, 5), CellValue("新しい勤務"));
  EXPECT_EQ(book->Value(0, 5, 2), CellValue(7));
  EXPECT_EQ(book->Value(0, 40, 3), CellValue(2.5));
  EXPECT_EQ(book->Value(0, 1, 3), CellValue(true));
  EXPECT_TRUE(book->Value(0, 2, 1).IsEmpty());
  EXPECT_EQ(book->Value(0, 2, 2), CellValue(1.005));
  EXPECT_EQ(book->DisplayText(0, 3, 2), "2026/1/1");
  EXPECT_EQ(book->SheetRange("Main", "Time_Table"), (CellRange{2, 1, 1, 1, 2}));
}

TEST_F(WorkbookSaveTest, UnchangedWorkbookSavesEveryPartByteForByte) {
  auto before = Entries(path_);
  auto book = Workbook::Open(path_);
  book->Save();
  EXPECT_EQ(Entries(path_), before);
  EXPECT_EQ(EntryText(path_, "xl/vbaProject.bin"),
            EntryText(path_.string() + ".bak", "xl/vbaProject.bin"));
}

TEST_F(WorkbookSaveTest, ChangedCellsDropTheCalculationChain) {
  std::string types = EntryText(path_, "[Content_Types].xml");
  types.insert(types.find("</Types>"),
               "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
               "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>");
  std::string rels = EntryText(path_, "xl/_rels/workbook.xml.rels");
  rels.insert(rels.find("</Relationships>"),
              "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/"
              "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
  std::filesystem::path with_chain = dir_ / "chain.xlsx";
  testing::RewritePackage(path_, with_chain,
                          {{"[Content_Types].xml", types},
                           {"xl/_rels/workbook.xml.rels", rels},
                           {"xl/calcChain.xml",
                            "<calcChain xmlns=\"http://schemas.openxmlformats.org/"
                            "spreadsheetml/2006/main\"><c r=\"B5\" i=\"1\"/></calcChain>"}});
  auto book = Workbook::Open(with_chain);
  book->SetValue(0, 1, 2, 4);
  book->Save();
  EXPECT_EQ(Entries(with_chain).count("xl/calcChain.xml"), 0u);
  EXPECT_EQ(EntryText(with_chain, "[Content_Types].xml").find("calcChain"), std::string::npos);
  EXPECT_EQ(EntryText(with_chain, "xl/_rels/workbook.xml.rels").find("calcChain"),
            std::string::npos);
  EXPECT_EQ(Workbook::Open(with_chain)->Value(0, 1, 2), CellValue(4));
}

TEST_F(WorkbookSaveTest, FailedSaveLeavesTheOriginalIntactAndCanBeRetried) {
  for (const char* failing : {"write", "verify", "flush", "backup", "rename"}) {
    auto book = Workbook::Open(path_);
    book->SetValue(0, 1, 2, 99);
    book->SetSaveProbe([failing](const char* step) {
      if (std::string_view(step) == failing) throw std::runtime_error("disk full");
    });
    EXPECT_THROW(book->Save(), WorkbookError) << failing;
    EXPECT_EQ(testing::ReadFile(path_), original_) << failing;
    EXPECT_TRUE(book->IsModified());
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
      EXPECT_FALSE(entry.path().filename().string().starts_with(kTempPrefix));
    if (std::string_view(failing) == "rename") {
      book->SetSaveProbe({});
      book->Save();
      EXPECT_EQ(Workbook::Open(path_)->Value(0, 1, 2), CellValue(99));
    }
  }
}

TEST_F(WorkbookSaveTest, RefusesToOverwriteAFileChangedByAnotherProgram) {
  auto book = Workbook::Open(path_);
  book->SetValue(0, 1, 2, 5);
  testing::WriteFile(path_, original_ + "x");
  try {
    book->Save();
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.kind(), WorkbookError::Kind::kFileChanged);
  }
}

TEST_F(WorkbookSaveTest, CloseSessionSavesOnlyWhenAsked) {
  auto book = Workbook::Open(path_);
  book->SetValue(0, 1, 2, 50);
  book->CloseSession(false);
  EXPECT_EQ(testing::ReadFile(path_), original_);
  EXPECT_EQ(book->Value(0, 1, 2), CellValue(3));
  EXPECT_FALSE(book->IsModified());
  book->SetValue(0, 1, 2, 60);
  book->CloseSession(true);
  EXPECT_EQ(Workbook::Open(path_)->Value(0, 1, 2), CellValue(60));
}

TEST_F(WorkbookSaveTest, BuildsAWorkbookFromNothing) {
  auto book = Workbook::CreateEmpty(true);
  int sheet = book->AddSheet("名前リスト");
  book->SetValue(sheet, 1, 1, "山田");
  book->SetValue(sheet, 2, 1, 3);
  book->DefineName("Member_List", {sheet, 1, 1, 2, 1});
  book->DefineName("Local", {sheet, 2, 1, 2, 1}, sheet);
  book->SaveAs(dir_ / "new.xlsm");
  auto again = Workbook::Open(dir_ / "new.xlsm");
  EXPECT_EQ(again->SheetName(0), "名前リスト");
  EXPECT_EQ(again->ReadRange(again->WorkbookRange("Member_List")),
            (Table{{CellValue("山田")}, {CellValue(3)}}));
  EXPECT_EQ(again->SheetRange("名前リスト", "Local"), (CellRange{0, 2, 1, 2, 1}));
}

TEST_F(WorkbookSaveTest, RefusesSheetNamesExcelWouldRefuse) {
  auto book = Workbook::CreateEmpty(false);
  book->AddSheet("勤務表");
  for (const char* name : {"", "勤務表", "勤務？表?", "a/b", "[x]", "'quoted'",
                           "とても長いシート名とても長いシート名とても長いシート名とても長い"}) {
    EXPECT_THROW(book->AddSheet(name), WorkbookError) << name;
  }
  EXPECT_EQ(book->SheetCount(), 1);
  try {
    book->AddSheet("勤務表");
    FAIL();
  } catch (const WorkbookError& error) {
    EXPECT_EQ(error.JapaneseMessage(),
              "シート「勤務表」：セルの値を読み取れません。（同じ名前のシートが既にあります）");
  }
}

}  // namespace
}  // namespace tsumiki::workbook

#include "conditions/sample_workbook.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <map>

#include "conditions/input_problems.h"
#include "conditions/layout.h"
#include "support/file_bytes.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;

// Every part of a package by name.
std::map<std::string, std::string> Parts(const std::filesystem::path& path) {
  std::map<std::string, std::string> parts;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) {
    ADD_FAILURE() << "cannot open " << path;
    return parts;
  }
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    zip_stat_t stat;
    zip_stat_index(archive, index, 0, &stat);
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    bytes.resize(static_cast<std::size_t>(std::max<zip_int64_t>(read, 0)));
    parts[stat.name] = bytes;
  }
  zip_close(archive);
  return parts;
}

TEST(SampleWorkbook, HoldsTheSampleWorkplaceWithItsDerivedCounts) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Sample(host);
  EXPECT_EQ(fx->Int(kTypeCnt), 5);
  EXPECT_EQ(fx->Int(kMemberCnt), 20);
  EXPECT_EQ(fx->Int(kDayCnt), 31);
  EXPECT_EQ(fx->Int(kNumberCount), 20);
  EXPECT_EQ(fx->Int(kNameCount), 20);
  EXPECT_EQ(fx->Int(kReservationCnt), 3);
  EXPECT_EQ(fx->Int(kPrevCount), 139);
  EXPECT_EQ(fx->Int(kDayBefore, 1, 4), 15);  // after a night only the morning-after
  EXPECT_EQ(fx->Text(kRosterDates, 1, 1), "1/1");
  EXPECT_EQ(fx->Text(kRosterDates, 2, 1), "金");
  EXPECT_TRUE(FindInputProblems(fx->book()).empty());
  // Every name of the layout is there, with the template's size.
  for (const NameSpec& name_spec : AllNames()) {
    ASSERT_TRUE(Has(fx->book(), name_spec)) << name_spec.name;
    const workbook::CellRange range = Range(fx->book(), name_spec);
    EXPECT_EQ(range.Rows(), name_spec.rows) << name_spec.name;
    EXPECT_EQ(range.Columns(), name_spec.columns) << name_spec.name;
    EXPECT_EQ(fx->book().SheetName(range.sheet), name_spec.sheet) << name_spec.name;
  }
}

// The committed sample is what `tsumiki init` writes today.
TEST(SampleWorkbook, CommittedExampleMatchesTheGenerator) {
  const auto dir = testing::MakeTempDir("init");
  const auto fresh = dir / "shift.xlsm";
  WriteSampleWorkbook(fresh);
  const auto committed = std::filesystem::path(TSUMIKI_SOURCE_DIR) / "examples" / "shift.xlsm";
  const auto expected = Parts(committed);
  const auto actual = Parts(fresh);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(actual.size(), expected.size());
  for (const auto& [name, bytes] : expected) {
    const auto found = actual.find(name);
    ASSERT_NE(found, actual.end()) << name;
    EXPECT_TRUE(found->second == bytes) << name << " differs; regenerate with `tsumiki init`";
  }
  std::filesystem::remove_all(dir);
}

// The sample a planner creates is the installed file where the package put one,
// byte for byte and editable; without it the program builds the sample itself.
TEST(SampleWorkbook, CreatedFromTheInstalledFileWhenThereIsOne) {
  const auto dir = testing::MakeTempDir("installed");
  const auto installed = dir / "installed.xlsm";
  std::filesystem::copy_file(std::filesystem::path(TSUMIKI_SOURCE_DIR) / "examples" / "shift.xlsm",
                             installed);
  std::filesystem::permissions(
      installed, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  CreateSampleWorkbook(dir / "copy.xlsm", installed);
  EXPECT_EQ(testing::ReadFile(dir / "copy.xlsm"), testing::ReadFile(installed));
  EXPECT_NE(std::filesystem::status(dir / "copy.xlsm").permissions() &
                std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
  EXPECT_THROW(CreateSampleWorkbook(dir / "copy.xlsm", installed),
               std::filesystem::filesystem_error);

  CreateSampleWorkbook(dir / "built.xlsm", dir / "missing.xlsm");
  EXPECT_EQ(Parts(dir / "built.xlsm"), Parts(installed));
  std::filesystem::remove_all(dir);
}

TEST(SampleWorkbook, IsMacroEnabled) {
  const auto dir = testing::MakeTempDir("blank");
  WriteBlankWorkbook(dir / "shift.xlsm");
  const auto parts = Parts(dir / "shift.xlsm");
  EXPECT_NE(
      parts.at("[Content_Types].xml").find("application/vnd.ms-excel.sheet.macroEnabled.main+xml"),
      std::string::npos);
  std::filesystem::remove_all(dir);
}

// Spreadsheet programs print the roster sheet on one landscape A4 page, with the
// member and date heads as print titles.
TEST(SampleWorkbook, RosterSheetPrintsOnOneLandscapePage) {
  const auto dir = testing::MakeTempDir("print");
  WriteSampleWorkbook(dir / "shift.xlsm");
  const auto parts = Parts(dir / "shift.xlsm");
  EXPECT_NE(parts.at("xl/workbook.xml").find("'人員配置表'!$A:$B,'人員配置表'!$5:$6</definedName>"),
            std::string::npos);
  const std::string& sheet = parts.at("xl/worksheets/sheet6.xml");
  EXPECT_NE(sheet.find("<pageSetUpPr fitToPage=\"1\"/>"), std::string::npos);
  EXPECT_NE(sheet.find("<pageSetup paperSize=\"9\" orientation=\"landscape\"/>"),
            std::string::npos);
  std::filesystem::remove_all(dir);
}

// The print area ends at the last member, not at the last row kept for members.
TEST(SampleWorkbook, RosterPrintAreaFollowsTheMemberCount) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Sample(host);
  workbook::Workbook& book = fx->book();
  const auto bottom = [&] { return book.SheetRange(kSheetRoster, "_xlnm.Print_Area").bottom; };
  EXPECT_EQ(bottom(), 26);
  FitRosterPrintArea(book, 5);
  EXPECT_EQ(bottom(), 11);
  EXPECT_EQ(book.SheetRange(kSheetRoster, "_xlnm.Print_Area").right, 36);
}

}  // namespace
}  // namespace tsumiki::layout

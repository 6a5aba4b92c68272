#include "support/workbook_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

#include "conditions/derived_values.h"
#include "conditions/macro_registry.h"
#include "conditions/sample_workbook.h"

namespace tsumiki::testing {
namespace {

namespace fs = std::filesystem;
using layout::Range;

// The folder of this test process, removed when the process ends.
struct ProcessFolder {
  fs::path path = fs::temp_directory_path() / ("tsumiki-fixtures-" + std::to_string(::getpid()));
  ProcessFolder() { fs::create_directories(path); }
  ~ProcessFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

fs::path ProcessDir() {
  static const ProcessFolder folder;
  return folder.path;
}

// Generates a workbook once per process and copies it from then on.
void CopyCached(const fs::path& target, const char* name, void (*write)(const fs::path&)) {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  const fs::path cached = ProcessDir() / name;
  if (!fs::exists(cached)) write(cached);
  fs::copy_file(cached, target, fs::copy_options::overwrite_existing);
}

}  // namespace

fs::path MakeTempDir(std::string_view tag) {
  static std::atomic<int> counter{0};
  fs::path dir = ProcessDir() / (std::string(tag) + "-" + std::to_string(++counter));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void WriteBlankWorkbookTo(const fs::path& path) {
  CopyCached(path, "blank.xlsm", &layout::WriteBlankWorkbook);
}

void WriteSampleWorkbookTo(const fs::path& path) {
  CopyCached(path, "sample.xlsm", &layout::WriteSampleWorkbook);
}

LayoutWorkbook::LayoutWorkbook(fs::path dir, fs::path path, Host& /*host*/)
    : dir_(std::move(dir)), path_(std::move(path)) {
  book_ = workbook::Workbook::Open(path_);
  layout::AttachLayout(*book_);
}

LayoutWorkbook::~LayoutWorkbook() {
  book_.reset();
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

std::unique_ptr<LayoutWorkbook> LayoutWorkbook::Blank(Host& host) {
  fs::path dir = MakeTempDir("blank");
  fs::path path = dir / "shift.xlsm";
  WriteBlankWorkbookTo(path);
  return std::unique_ptr<LayoutWorkbook>(new LayoutWorkbook(dir, path, host));
}

std::unique_ptr<LayoutWorkbook> LayoutWorkbook::Sample(Host& host) {
  fs::path dir = MakeTempDir("sample");
  fs::path path = dir / "shift.xlsm";
  WriteSampleWorkbookTo(path);
  return std::unique_ptr<LayoutWorkbook>(new LayoutWorkbook(dir, path, host));
}

void LayoutWorkbook::Set(const layout::NameSpec& name, int row, int column,
                         const workbook::CellValue& value) {
  book_->WriteCell(Range(*book_, name), row, column, value);
}

workbook::CellValue LayoutWorkbook::Get(const layout::NameSpec& name, int row, int column) const {
  return book_->ReadCell(Range(*book_, name), row, column);
}

std::string LayoutWorkbook::Text(const layout::NameSpec& name, int row, int column) const {
  return layout::ValueText(Get(name, row, column));
}

int LayoutWorkbook::Int(const layout::NameSpec& name, int row, int column) const {
  const workbook::CellValue value = Get(name, row, column);
  EXPECT_TRUE(value.IsNumber()) << name.name << "(" << row << "," << column
                                << ") is not a number: " << layout::ValueText(value);
  return value.IsNumber() ? static_cast<int>(value.Number()) : -1;
}

void LayoutWorkbook::SetPeriod(int year, int month, int start_day, int base_day) {
  Set(layout::kYear, year);
  Set(layout::kMonth, month);
  Set(layout::kStartDayOfMonth, start_day);
  Set(layout::kBaseStartDay, base_day);
}

void LayoutWorkbook::SetTypes(const std::vector<std::pair<std::string, std::string>>& types) {
  for (int t = 1; t <= static_cast<int>(types.size()); ++t) {
    Set(layout::kTypeNames, t, 1, types[static_cast<std::size_t>(t - 1)].first);
    Set(layout::kTypeAbbrev, t, 1, types[static_cast<std::size_t>(t - 1)].second);
  }
}

void LayoutWorkbook::SetMembers(const std::vector<std::string>& names) {
  for (int m = 1; m <= static_cast<int>(names.size()); ++m) {
    Set(layout::kMemberList, m, 1, m);
    Set(layout::kMemberList, m, 2, names[static_cast<std::size_t>(m - 1)]);
  }
}

void LayoutWorkbook::SetNeed(int type, int day, int count) {
  Set(layout::kNeedTable, type, day, count);
}

void LayoutWorkbook::SetNeedAllDays(int type, int count, int days) {
  for (int d = 1; d <= days; ++d) SetNeed(type, d, count);
}

void LayoutWorkbook::SetDayOff(int member, int days) {
  Set(layout::kMemberDayOff, member, 1, days);
}

void LayoutWorkbook::SetSchedule(int member, int day, std::string_view text) {
  Set(layout::kScheduleInput, member, day, std::string(text));
}

void LayoutWorkbook::SetReservation(int member, int day, std::string_view abbrev) {
  Set(layout::kMemberRsv, member, day, std::string(abbrev));
}

void LayoutWorkbook::SetNextDayBan(int type, int banned_type) {
  Set(layout::kNextDayBanInput, type, banned_type, "○");
}

void LayoutWorkbook::SetRoster(int member, int day, std::string_view abbrev) {
  Set(layout::kTimeTable, member, day,
      abbrev.empty() ? workbook::CellValue() : workbook::CellValue(std::string(abbrev)));
}

std::string LayoutWorkbook::Roster(int member, int day) const {
  return Text(layout::kTimeTable, member, day);
}

int LayoutWorkbook::RosterFill(int member, int day) const {
  const workbook::CellRange table = Range(*book_, layout::kTimeTable);
  return book_->InteriorColorIndex(table.sheet, table.top + member - 1, table.left + day - 1);
}

}  // namespace tsumiki::testing

#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/layout.h"
#include "ui/host.h"
#include "workbook/workbook.h"

namespace tsumiki::testing {

// Writes the blank (all sheets and names, no conditions) or the sample workbook
// to `path`. Each is generated once per test program and copied after that.
void WriteBlankWorkbookTo(const std::filesystem::path& path);
void WriteSampleWorkbookTo(const std::filesystem::path& path);

// A roster workbook in its own temporary folder (removed at the end), opened with
// the layout attached (derived names and macros).
//
//   ScriptedHost host;
//   auto fx = LayoutWorkbook::Blank(host);
//   fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
//   fx->SetMembers({"佐藤", "鈴木"});
//   fx->book().RunMacro("!勤務Clear");
class LayoutWorkbook {
 public:
  static std::unique_ptr<LayoutWorkbook> Blank(Host& host);
  static std::unique_ptr<LayoutWorkbook> Sample(Host& host);
  ~LayoutWorkbook();
  LayoutWorkbook(const LayoutWorkbook&) = delete;
  LayoutWorkbook& operator=(const LayoutWorkbook&) = delete;

  workbook::Workbook& book() { return *book_; }
  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& dir() const { return dir_; }

  // Any cell of a name, 1-based inside it.
  void Set(const layout::NameSpec& name, int row, int column, const workbook::CellValue& value);
  void Set(const layout::NameSpec& name, const workbook::CellValue& value) {
    Set(name, 1, 1, value);
  }
  workbook::CellValue Get(const layout::NameSpec& name, int row = 1, int column = 1) const;
  std::string Text(const layout::NameSpec& name, int row = 1, int column = 1) const;
  // A number cell as int (fails the test otherwise).
  int Int(const layout::NameSpec& name, int row = 1, int column = 1) const;

  // Main's 年, 月, 日 and 基準開始日.
  void SetPeriod(int year, int month, int start_day, int base_day);
  // Duty types in order: full name and short name.
  void SetTypes(const std::vector<std::pair<std::string, std::string>>& types);
  // Members numbered 1..n in order, with these names.
  void SetMembers(const std::vector<std::string>& names);
  void SetNeed(int type, int day, int count);
  void SetNeedAllDays(int type, int count, int days);
  void SetDayOff(int member, int days);
  void SetSchedule(int member, int day, std::string_view text);
  void SetReservation(int member, int day, std::string_view abbrev);
  void SetNextDayBan(int type, int banned_type);
  void SetRoster(int member, int day, std::string_view abbrev);
  std::string Roster(int member, int day) const;
  // Fill colour index of a roster cell.
  int RosterFill(int member, int day) const;

 private:
  LayoutWorkbook(std::filesystem::path dir, std::filesystem::path path, Host& host);
  std::filesystem::path dir_;
  std::filesystem::path path_;
  std::unique_ptr<workbook::Workbook> book_;
};

// A fresh empty folder under the system's temporary folder, named after `tag`.
std::filesystem::path MakeTempDir(std::string_view tag);

}  // namespace tsumiki::testing

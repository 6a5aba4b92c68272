#pragma once

#include <unistd.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "support/file_bytes.h"

// Fixture workbooks written by an independent OOXML writer (libxlsxwriter), and a
// few helpers to look inside a saved package.
namespace tsumiki::workbook::testing {

// One folder per test process: ctest runs the cases of one suite in parallel
// processes, which must not write over each other's files.
inline std::filesystem::path TempDir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(TSUMIKI_TEST_TMP) / "workbook" /
                              (name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

using tsumiki::testing::ReadFile;

// The roster-like fixture: sheets "基本設定", "人員配置表" and "Main"; a
// workbook-level and a sheet-level name both called "Time_Table"; numbers,
// Japanese texts, booleans, a formula with its cached value, number formats and a
// red fill. When `macro_enabled`, an .xlsm with a stand-in vbaProject.bin.
inline std::filesystem::path WriteRosterFixture(const std::filesystem::path& dir,
                                                bool macro_enabled = true) {
  std::filesystem::path path = dir / (macro_enabled ? "shift.xlsm" : "shift.xlsx");
  lxw_workbook* book = workbook_new(path.c_str());
  lxw_worksheet* settings = workbook_add_worksheet(book, "基本設定");
  lxw_worksheet* roster = workbook_add_worksheet(book, "人員配置表");
  lxw_worksheet* main = workbook_add_worksheet(book, "Main");

  lxw_format* two_places = workbook_add_format(book);
  format_set_num_format(two_places, "0.00");
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "yyyy/m/d");
  lxw_format* weekday = workbook_add_format(book);
  format_set_num_format(weekday, "aaa");
  lxw_format* red = workbook_add_format(book);
  format_set_bg_color(red, 0xFF0000);
  lxw_format* count = workbook_add_format(book);
  format_set_num_format(count, "0\"人\"");

  worksheet_write_string(settings, 0, 0, "メンバー数", nullptr);
  worksheet_write_number(settings, 0, 1, 3, nullptr);
  worksheet_write_string(settings, 1, 0, "係数", nullptr);
  worksheet_write_number(settings, 1, 1, 1.005, two_places);
  worksheet_write_string(settings, 2, 0, "開始日", nullptr);
  worksheet_write_number(settings, 2, 1, 46023, date);  // 2026/1/1
  worksheet_write_number(settings, 2, 2, 46023, weekday);
  worksheet_write_boolean(settings, 3, 1, 1, nullptr);
  worksheet_write_boolean(settings, 3, 2, 0, nullptr);
  worksheet_write_formula_num(settings, 4, 1, "=B1*2", nullptr, 6);
  worksheet_write_number(settings, 5, 1, 12, count);
  worksheet_write_string(settings, 6, 1, "赤", red);

  const char* members[] = {"佐藤", "鈴木", "高橋"};
  for (int m = 0; m < 3; ++m) {
    worksheet_write_string(roster, static_cast<lxw_row_t>(2 + m), 0, members[m], nullptr);
    for (int d = 0; d < 5; ++d)
      worksheet_write_string(roster, static_cast<lxw_row_t>(2 + m), static_cast<lxw_col_t>(1 + d),
                             (m + d) % 3 == 0 ? "休" : "日", nullptr);
  }
  worksheet_write_number(main, 0, 0, 1, nullptr);
  worksheet_write_number(main, 0, 1, 2, nullptr);

  workbook_define_name(book, "Time_Table", "=人員配置表!$B$3:$F$5");
  workbook_define_name(book, "Main!Time_Table", "=Main!$A$1:$B$1");
  workbook_define_name(book, "Member_Cnt", "=基本設定!$B$1");
  workbook_define_name(book, "基本設定!係数", "=基本設定!$B$2");
  workbook_define_name(book, "Rate", "=0.08");

  if (macro_enabled) {
    std::filesystem::path vba = dir / "vbaProject.bin";
    std::string blob;
    for (int i = 0; i < 4096; ++i) blob += static_cast<char>((i * 37) & 0xFF);
    WriteFile(vba, blob);
    workbook_add_vba_project(book, vba.c_str());
  }
  workbook_close(book);
  return path;
}

// Each entry's CRC, stored size and compression, to check byte-for-byte copies.
struct EntryFacts {
  zip_uint32_t crc = 0;
  zip_uint64_t compressed_size = 0;
  zip_uint16_t method = 0;
  bool operator==(const EntryFacts&) const = default;
};

inline std::map<std::string, EntryFacts> Entries(const std::filesystem::path& path) {
  std::map<std::string, EntryFacts> out;
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (zip == nullptr) return out;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
    out[stat.name] = {stat.crc, stat.comp_size, stat.comp_method};
  }
  zip_close(zip);
  return out;
}

inline std::string EntryText(const std::filesystem::path& path, const std::string& name) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (zip == nullptr) return {};
  std::string out;
  if (zip_file_t* file = zip_fopen(zip, name.c_str(), 0)) {
    char buffer[4096];
    zip_int64_t got;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0)
      out.append(buffer, static_cast<size_t>(got));
    zip_fclose(file);
  }
  zip_close(zip);
  return out;
}

// Rewrites a package with some entries replaced (or added) and others left out.
inline void RewritePackage(const std::filesystem::path& from, const std::filesystem::path& to,
                           const std::map<std::string, std::string>& replace,
                           const std::vector<std::string>& drop = {}) {
  std::filesystem::remove(to);
  int error = 0;
  zip_t* source = zip_open(from.c_str(), ZIP_RDONLY, &error);
  zip_t* target = zip_open(to.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  for (zip_int64_t i = 0; i < zip_get_num_entries(source, 0); ++i) {
    std::string name = zip_get_name(source, static_cast<zip_uint64_t>(i), 0);
    if (replace.count(name) != 0 || std::find(drop.begin(), drop.end(), name) != drop.end())
      continue;
    zip_file_add(target, name.c_str(),
                 zip_source_zip(target, source, static_cast<zip_uint64_t>(i), 0, 0, -1), 0);
  }
  for (const auto& [name, bytes] : replace)
    zip_file_add(target, name.c_str(), zip_source_buffer(target, bytes.data(), bytes.size(), 0),
                 ZIP_FL_OVERWRITE);
  zip_close(target);
  zip_close(source);
}

}  // namespace tsumiki::workbook::testing

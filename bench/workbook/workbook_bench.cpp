// Opening a roster workbook of 100 members x 31 days and reading every condition
// range cell by cell, the way the condition loader does.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <filesystem>
#include <string>
#include <vector>

#include "workbook/workbook.h"

namespace {

using tsumiki::workbook::CellRange;
using tsumiki::workbook::Workbook;

constexpr int kMembers = 100;
constexpr int kDays = 31;
constexpr int kTypes = 10;

struct NamedRange {
  const char* sheet;
  const char* name;
};

// The ranges a creation run reads, in the shape of the roster layout.
const std::vector<NamedRange> kRanges = {
    {"人員配置表", "Member_List"}, {"人員配置表", "Time_Table"}, {"人員配置表", "Day_Row"},
    {"人員配置表", "Week_Row"},    {"個人条件設定", "Schedule"}, {"個人条件設定", "Work_Target"},
    {"個人条件設定", "Type_Mask"}, {"要員設定", "Need_Table"},   {"基本設定", "Type_Table"},
    {"基本設定", "Member_Cnt"},    {"基本設定", "Day_Cnt"},      {"前月", "Prev_Tail"}};

std::filesystem::path WriteRosterWorkbook() {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "tsumiki_bench";
  std::filesystem::create_directories(dir);
  std::filesystem::path path = dir / "roster_100x31.xlsx";
  lxw_workbook* book = workbook_new(path.c_str());
  lxw_worksheet* settings = workbook_add_worksheet(book, "基本設定");
  lxw_worksheet* roster = workbook_add_worksheet(book, "人員配置表");
  lxw_worksheet* personal = workbook_add_worksheet(book, "個人条件設定");
  lxw_worksheet* need = workbook_add_worksheet(book, "要員設定");
  lxw_worksheet* previous = workbook_add_worksheet(book, "前月");
  lxw_format* day = workbook_add_format(book);
  format_set_num_format(day, "d");
  lxw_format* week = workbook_add_format(book);
  format_set_num_format(week, "aaa");
  const char* abbrevs[kTypes] = {"日", "早", "遅", "夜", "明", "A", "B", "C", "D", "E"};

  for (int t = 0; t < kTypes; ++t) {
    worksheet_write_string(settings, static_cast<lxw_row_t>(2 + t), 1, abbrevs[t], nullptr);
    worksheet_write_string(settings, static_cast<lxw_row_t>(2 + t), 2,
                           ("勤務" + std::to_string(t + 1)).c_str(), nullptr);
  }
  worksheet_write_number(settings, 0, 1, kMembers, nullptr);
  worksheet_write_number(settings, 1, 1, kDays, nullptr);
  for (int d = 0; d < kDays; ++d) {
    auto column = static_cast<lxw_col_t>(2 + d);
    worksheet_write_number(roster, 2, column, 46023 + d, day);
    worksheet_write_number(roster, 3, column, 46023 + d, week);
    for (int t = 0; t <= kTypes; ++t)
      worksheet_write_number(need, static_cast<lxw_row_t>(4 + t), column, (t + d) % 4, nullptr);
  }
  for (int m = 0; m < kMembers; ++m) {
    auto row = static_cast<lxw_row_t>(4 + m);
    worksheet_write_string(roster, row, 1, ("職員" + std::to_string(m + 1)).c_str(), nullptr);
    worksheet_write_number(personal, row, 33, 20 + m % 3, nullptr);
    worksheet_write_number(personal, row, 34, 1023, nullptr);
    for (int d = 0; d < kDays; ++d) {
      auto column = static_cast<lxw_col_t>(2 + d);
      worksheet_write_string(roster, row, column, abbrevs[(m + d) % kTypes], nullptr);
      if ((m * 7 + d) % 5 == 0) worksheet_write_string(personal, row, column, "休", nullptr);
    }
    for (int d = 0; d < 7; ++d)
      worksheet_write_string(previous, row, static_cast<lxw_col_t>(2 + d), abbrevs[(m + d) % 3],
                             nullptr);
  }
  workbook_define_name(book, "人員配置表!Member_List", "=人員配置表!$B$5:$B$104");
  workbook_define_name(book, "Time_Table", "=人員配置表!$C$5:$AG$104");
  workbook_define_name(book, "Day_Row", "=人員配置表!$C$3:$AG$3");
  workbook_define_name(book, "Week_Row", "=人員配置表!$C$4:$AG$4");
  workbook_define_name(book, "個人条件設定!Schedule", "=個人条件設定!$C$5:$AG$104");
  workbook_define_name(book, "Work_Target", "=個人条件設定!$AH$5:$AH$104");
  workbook_define_name(book, "Type_Mask", "=個人条件設定!$AI$5:$AI$104");
  workbook_define_name(book, "Need_Table", "=要員設定!$C$5:$AG$15");
  workbook_define_name(book, "Type_Table", "=基本設定!$B$3:$C$12");
  workbook_define_name(book, "Member_Cnt", "=基本設定!$B$1");
  workbook_define_name(book, "Day_Cnt", "=基本設定!$B$2");
  workbook_define_name(book, "Prev_Tail", "=前月!$C$5:$I$104");
  workbook_close(book);
  return path;
}

void BM_OpenAndReadEveryRange(benchmark::State& state) {
  static const std::filesystem::path path = WriteRosterWorkbook();
  std::size_t cells = 0;
  for (auto _ : state) {
    auto book = Workbook::Open(path);
    cells = 0;
    for (const NamedRange& named : kRanges) {
      CellRange range = book->SheetRange(named.sheet, named.name);
      bool texts = std::string(named.name).find("_Row") != std::string::npos;
      for (int r = 1; r <= range.Rows(); ++r) {
        for (int c = 1; c <= range.Columns(); ++c) {
          if (texts) {
            benchmark::DoNotOptimize(book->ReadCellText(range, r, c));
          } else {
            benchmark::DoNotOptimize(book->ReadCell(range, r, c));
          }
          ++cells;
        }
      }
    }
  }
  state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(BM_OpenAndReadEveryRange)->Unit(benchmark::kMillisecond);

// Reading alone, on an open workbook: what one creation pass costs in the store.
void BM_ReadEveryRange(benchmark::State& state) {
  static const std::filesystem::path path = WriteRosterWorkbook();
  auto book = Workbook::Open(path);
  for (auto _ : state) {
    for (const NamedRange& named : kRanges) {
      CellRange range = book->SheetRange(named.sheet, named.name);
      for (int r = 1; r <= range.Rows(); ++r)
        for (int c = 1; c <= range.Columns(); ++c)
          benchmark::DoNotOptimize(book->ReadCell(range, r, c));
    }
  }
}
BENCHMARK(BM_ReadEveryRange)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// Writes a few small workbooks into the folder given as the only argument, as the
// starting corpus of the package fuzzer.
#include <xlsxwriter.h>

#include <filesystem>
#include <iostream>

#include "workbook/workbook.h"

namespace {

void WriteWithIndependentWriter(const std::filesystem::path& path) {
  lxw_workbook* book = workbook_new(path.c_str());
  lxw_worksheet* sheet = workbook_add_worksheet(book, "人員配置表");
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "m/d(aaa)");
  lxw_format* fill = workbook_add_format(book);
  format_set_bg_color(fill, 0xFFFF00);
  format_set_border(fill, LXW_BORDER_THIN);
  worksheet_write_string(sheet, 0, 0, "佐藤", nullptr);
  worksheet_write_number(sheet, 0, 1, 46023, date);
  worksheet_write_boolean(sheet, 1, 1, 1, fill);
  worksheet_write_formula_num(sheet, 2, 1, "=B1+1", nullptr, 46024);
  workbook_define_name(book, "Time_Table", "=人員配置表!$A$1:$C$3");
  workbook_define_name(book, "人員配置表!Member_Cnt", "=人員配置表!$B$2");
  workbook_close(book);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: workbook_fuzz_seeds <folder>\n";
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  WriteWithIndependentWriter(folder / "seed_writer.xlsx");
  try {
    auto book = tsumiki::workbook::Workbook::CreateEmpty(true);
    int sheet = book->AddSheet("基本設定");
    book->SetValue(sheet, 1, 1, "係数");
    book->SetValue(sheet, 1, 2, 0.5);
    book->SetInteriorColorIndex(sheet, 1, 2, 3);
    book->DefineName("係数", {sheet, 1, 2, 1, 2}, sheet);
    book->SaveAs(folder / "seed_store.xlsm");
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}

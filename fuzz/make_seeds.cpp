// Writes a few small workbooks into the folder given as the only argument, as the
// starting corpus of the package fuzzer.
#include <xlsxwriter.h>

#include <filesystem>
#include <fstream>
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

// Worksheet XML seeds: the fuzzer wraps inputs starting with '<' into a package.
void WriteSheetSeeds(const std::filesystem::path& folder) {
  const char* seeds[] = {
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<dimension ref=\"A1:D4\"/><cols><col min=\"2\" max=\"3\" style=\"1\"/></cols><sheetData>"
      "<row r=\"1\" spans=\"1:4\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
      "s=\"1\"><v>46023</v></c>"
      "<c r=\"C1\" t=\"b\"><v>1</v></c><c r=\"D1\" t=\"e\"><v>#N/A</v></c></row>"
      "<row r=\"2\"><c t=\"inlineStr\"><is><t>早</t></is></c><c s=\"2\"><v>-1234.5</v></c>"
      "<c t=\"str\"><f>A1&amp;\"x\"</f><v>休x</v></c></row>"
      "<row r=\"4\" s=\"3\" customFormat=\"1\"><c r=\"B4\"><f t=\"shared\" ref=\"B4:D4\" si=\"0\">"
      "B1+1</f><v>46024</v></c><c r=\"C4\"><f t=\"shared\" si=\"0\"/><v>1</v></c>"
      "<c r=\"D4\"><f t=\"array\" "
      "ref=\"D4\">SUM(B4:C4)</f><v>2</v></c></row></sheetData></worksheet>",
      "<x:worksheet "
      "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
      "<x:row><x:c><x:v>1</x:v></x:c><x:c "
      "t=\"s\"><x:v>2</x:v></x:c></x:row></x:sheetData></x:worksheet>"};
  int n = 0;
  for (const char* seed : seeds) {
    std::ofstream out(folder / ("seed_sheet" + std::to_string(++n) + ".xml"), std::ios::binary);
    out << seed;
  }
}

// Seeds at the store's limits: runs nested past the depth limit, and a sheet
// dense with cells (kept small: the fuzzer mutates it, the limits are tested).
void WriteLimitSeeds(const std::filesystem::path& folder) {
  const std::string head =
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
  const std::string tail = "</sheetData></worksheet>";
  std::string deep = head + "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>";
  for (int i = 0; i < 300; ++i) deep += "<r>";
  deep += "<t>x</t>";
  for (int i = 0; i < 300; ++i) deep += "</r>";
  deep += "</is></c></row>" + tail;
  std::string dense = head;
  for (int row = 1; row <= 40; ++row) {
    dense += "<row r=\"" + std::to_string(41 - row) + "\">";
    for (int column = 0; column < 100; ++column) dense += "<c/>";
    dense += "</row>";
  }
  dense += tail;
  std::ofstream(folder / "seed_sheet_deep.xml", std::ios::binary) << deep;
  std::ofstream(folder / "seed_sheet_dense.xml", std::ios::binary) << dense;
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
  WriteSheetSeeds(folder);
  WriteLimitSeeds(folder);
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

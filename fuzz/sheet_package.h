#pragma once

#include <zip.h>

#include <string>
#include <string_view>

// Wraps one worksheet XML in a small but complete package (workbook, names,
// styles, shared strings), so the fuzzer can mutate the XML itself instead of
// compressed bytes.
namespace tsumiki::fuzz {

inline std::string PackageWithSheet(std::string_view sheet_xml) {
  static const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  static const std::string kRel =
      "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  static const std::string kPackageRel =
      "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string parts[][2] = {
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
      {"_rels/.rels", "<Relationships xmlns=\"" + kPackageRel +
                          "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
                          "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml",
       "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
           "\"><sheets><sheet name=\"勤務\" sheetId=\"1\" r:id=\"rId1\"/></sheets><definedNames>"
           "<definedName name=\"Time_Table\">勤務!$A$1:$D$4</definedName>"
           "<definedName name=\"Rate\" localSheetId=\"0\">'勤務'!$B$2</definedName>"
           "</definedNames></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<Relationships xmlns=\"" + kPackageRel + "\"><Relationship Id=\"rId1\" Type=\"" + kRel +
           "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
           kRel + "/styles\" Target=\"styles.xml\"/><Relationship Id=\"rId3\" Type=\"" + kRel +
           "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
      {"xl/styles.xml",
       "<styleSheet xmlns=\"" + kMain +
           "\"><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"m/d(aaa)\"/>"
           "<numFmt numFmtId=\"165\" formatCode=\"#,##0.00;[Red]-0;&quot;－&quot;;@\"/></numFmts>"
           "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill "
           "patternType=\"gray125\"/></fill><fill><patternFill patternType=\"solid\"><fgColor "
           "rgb=\"FFFF0000\"/></patternFill></fill></fills><borders count=\"1\"><border><left "
           "style=\"thin\"><color indexed=\"10\"/></left></border></borders><cellXfs count=\"4\">"
           "<xf numFmtId=\"0\" fillId=\"0\" borderId=\"0\"/><xf numFmtId=\"164\" fillId=\"2\" "
           "borderId=\"0\"/><xf numFmtId=\"165\" fillId=\"0\" borderId=\"0\"/><xf numFmtId=\"14\" "
           "fillId=\"2\" borderId=\"0\"/></cellXfs></styleSheet>"},
      {"xl/sharedStrings.xml", "<sst xmlns=\"" + kMain +
                                   "\"><si><t>休</t></si><si><r><t>日</t></r><rPh><t>ニチ</t></rPh>"
                                   "</si><si><t xml:space=\"preserve\"> _x000D_ </t></si></sst>"},
      {"xl/worksheets/sheet1.xml", std::string(sheet_xml)}};
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  if (zip == nullptr) return {};
  zip_source_keep(buffer);
  for (const auto& part : parts) {
    zip_source_t* source = zip_source_buffer(zip, part[1].data(), part[1].size(), 0);
    if (zip_file_add(zip, part[0].c_str(), source, ZIP_FL_ENC_UTF_8) < 0) zip_source_free(source);
    zip_set_file_compression(zip, zip_name_locate(zip, part[0].c_str(), 0), ZIP_CM_STORE, 0);
  }
  zip_close(zip);
  std::string bytes;
  if (zip_source_open(buffer) == 0) {
    char chunk[4096];
    zip_int64_t got;
    while ((got = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
      bytes.append(chunk, static_cast<size_t>(got));
    zip_source_close(buffer);
  }
  zip_source_free(buffer);
  return bytes;
}

}  // namespace tsumiki::fuzz

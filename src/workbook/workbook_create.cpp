#include <cstdio>

#include "workbook/opc.h"
#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

std::string ContentTypes(bool macro_enabled) {
  std::string main =
      macro_enabled ? "application/vnd.ms-excel.sheet.macroEnabled.main+xml"
                    : "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
  return std::string(kDeclaration) +
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
         main +
         "\"/>"
         "<Override PartName=\"/xl/styles.xml\" ContentType=\"" +
         kContentTypeStyles +
         "\"/>"
         "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" +
         kContentTypeSharedStrings + "\"/></Types>";
}

std::string Relationships(const std::string& body) {
  return std::string(kDeclaration) +
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
         body + "</Relationships>";
}

std::string RelationshipXml(const char* id, const char* type, const char* target) {
  return std::string("<Relationship Id=\"") + id + "\" Type=\"" + kRelTypeBase + type +
         "\" Target=\"" + target + "\"/>";
}

void AddEntry(zip_t* zip, const char* name, const std::string& bytes) {
  zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
  if (source != nullptr && zip_file_add(zip, name, source, ZIP_FL_ENC_UTF_8) < 0)
    zip_source_free(source);
}

// The prefix the workbook part uses for the relationships namespace, declared if missing.
std::string RelationshipPrefix(pugi::xml_node root) {
  for (pugi::xml_attribute attribute : root.attributes()) {
    std::string_view name(attribute.name());
    if (name.rfind("xmlns:", 0) == 0 && std::string_view(attribute.value()) == kRelNamespace)
      return std::string(name.substr(6));
  }
  root.append_attribute("xmlns:r") = kRelNamespace;
  return "r";
}

// Excel's rules for a sheet name: 1 to 31 characters, none of : \ / ? * [ ].
bool ValidSheetName(std::string_view name) {
  size_t characters = 0;
  for (unsigned char c : name) {
    if ((c & 0xC0) != 0x80) ++characters;
    if (std::string_view(":\\/?*[]").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
  }
  return characters >= 1 && characters <= 31 && name.front() != '\'' && name.back() != '\'';
}

}  // namespace

std::string EmptyPackageBytes(bool macro_enabled) {
  const std::string parts[][2] = {
      {"[Content_Types].xml", ContentTypes(macro_enabled)},
      {"_rels/.rels", Relationships(RelationshipXml("rId1", "officeDocument", "xl/workbook.xml"))},
      {"xl/workbook.xml", std::string(kDeclaration) + "<workbook xmlns=\"" + kMainNamespace +
                              "\" xmlns:r=\"" + kRelNamespace +
                              "\"><bookViews><workbookView/></bookViews><sheets/></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       Relationships(RelationshipXml("rId1", "styles", "styles.xml") +
                     RelationshipXml("rId2", "sharedStrings", "sharedStrings.xml"))},
      {"xl/styles.xml", MinimalStylesXml()},
      {"xl/sharedStrings.xml", std::string(kDeclaration) + "<sst xmlns=\"" + kMainNamespace +
                                   "\" count=\"0\" uniqueCount=\"0\"/>"}};
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  zip_source_keep(buffer);
  for (const auto& part : parts) AddEntry(zip, part[0].c_str(), part[1]);
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

int Workbook::AddSheet(std::string_view name) {
  Impl& impl = *impl_;
  if (!ValidSheetName(name))
    throw WorkbookError(WorkbookError::Kind::kBadValue,
                        {impl.FileLabel(), std::string(name), {}, {}}, messages::kBadSheetName);
  if (FindSheet(name))
    throw WorkbookError(WorkbookError::Kind::kBadValue,
                        {impl.FileLabel(), std::string(name), {}, {}}, messages::kDuplicateSheet);
  std::string part;
  for (int n = 1;; ++n) {
    part = std::string("xl/worksheets/sheet").append(std::to_string(n)).append(".xml");
    bool used = impl.zip->Find(part) != nullptr;
    for (const SheetEntry& sheet : impl.sheets) used = used || AsciiLower(sheet.part) == part;
    if (!used) break;
  }
  pugi::xml_node root = impl.workbook_xml->document_element();
  std::string prefix = PrefixOf(root);
  std::string rel_prefix = RelationshipPrefix(root);

  pugi::xml_node rels_root = impl.workbook_rels->document_element();
  std::string id = UnusedRelationshipId(*impl.workbook_rels);
  pugi::xml_node rel = rels_root.append_child((PrefixOf(rels_root) + "Relationship").c_str());
  rel.append_attribute("Id") = id.c_str();
  rel.append_attribute("Type") = (std::string(kRelTypeBase) + "worksheet").c_str();
  rel.append_attribute("Target") = RelativeTarget(impl.workbook_part, part).c_str();

  pugi::xml_node types = impl.content_types->document_element();
  pugi::xml_node override_node = types.append_child((PrefixOf(types) + "Override").c_str());
  override_node.append_attribute("PartName") = ("/" + part).c_str();
  override_node.append_attribute("ContentType") = kContentTypeWorksheet;

  pugi::xml_node sheets = Child(root, "sheets");
  if (!sheets) sheets = root.append_child((prefix + "sheets").c_str());
  unsigned sheet_id = 0;
  for (pugi::xml_node s = Child(sheets, "sheet"); s; s = NextNamed(s, "sheet"))
    sheet_id = std::max(sheet_id, s.attribute("sheetId").as_uint());
  pugi::xml_node node = sheets.append_child((prefix + "sheet").c_str());
  node.append_attribute("name") = std::string(name).c_str();
  node.append_attribute("sheetId") = sheet_id + 1;
  node.append_attribute((rel_prefix + ":id").c_str()) = id.c_str();

  SheetEntry entry;
  entry.name = std::string(name);
  entry.part = part;
  entry.added = true;
  entry.document = std::make_unique<pugi::xml_document>();
  entry.document->load_string(
      (std::string(kDeclaration) + "<worksheet xmlns=\"" + kMainNamespace + "\" xmlns:r=\"" +
       kRelNamespace + "\"><dimension ref=\"A1\"/><sheetData/></worksheet>")
          .c_str(),
      pugi::parse_default | pugi::parse_declaration);
  limits::TextBudget budget;  // an empty sheet takes none of it
  entry.data.Load(*entry.document, impl.strings, impl.styles->XfCount(),
                  {impl.FileLabel(), entry.name, {}, {}}, budget);
  impl.sheets.push_back(std::move(entry));
  impl.workbook_dirty = impl.rels_dirty = impl.content_types_dirty = impl.modified = true;
  return static_cast<int>(impl.sheets.size()) - 1;
}

}  // namespace tsumiki::workbook

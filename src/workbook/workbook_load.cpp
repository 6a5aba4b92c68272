#include <cstring>
#include <map>
#include <new>

#include "workbook/opc.h"
#include "workbook/store_limits.h"
#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

using Kind = WorkbookError::Kind;

constexpr std::string_view kStrictNamespace = "http://purl.oclc.org/ooxml/";

bool IsStrict(const pugi::xml_node& root) {
  for (pugi::xml_attribute attribute : root.attributes()) {
    std::string_view name(attribute.name());
    if (name.rfind("xmlns", 0) == 0 &&
        std::string_view(attribute.value()).rfind(kStrictNamespace, 0) == 0)
      return true;
  }
  return false;
}

std::vector<std::uint32_t> ThemeColors(const pugi::xml_document& theme) {
  // clrScheme lists dk1, lt1, dk2, lt2, accent1…; cell colours count lt1, dk1, lt2, dk2 first.
  std::vector<std::uint32_t> scheme;
  pugi::xml_node elements = Child(theme.document_element(), "themeElements");
  for (pugi::xml_node entry : Child(elements, "clrScheme").children()) {
    pugi::xml_node color = entry.first_child();
    const char* value = IsNamed(color, "sysClr") ? color.attribute("lastClr").as_string()
                                                 : color.attribute("val").as_string();
    scheme.push_back(ParseRgb(value).value_or(0));
  }
  if (scheme.size() >= 4) {
    std::swap(scheme[0], scheme[1]);
    std::swap(scheme[2], scheme[3]);
  }
  return scheme;
}

class Loader {
 public:
  Loader(Workbook::Impl& impl) : impl_(impl), file_(impl.FileLabel()) {}

  void Run() {
    const ZipReader& zip = *impl_.zip;
    if (!zip.Find("[Content_Types].xml"))
      Fail(Kind::kBadPackage, messages::kMissingPart, "[Content_Types].xml");
    impl_.content_types = Parse("[Content_Types].xml");
    FindWorkbookPart();
    impl_.workbook_xml = Parse(impl_.workbook_part);
    pugi::xml_node root = impl_.workbook_xml->document_element();
    if (IsStrict(root)) Fail(Kind::kBadPackage, messages::kStrictFormat, {});
    if (LocalName(root.name()) != "workbook")
      Fail(Kind::kBadPackage, messages::kNoWorkbookPart, {});
    impl_.workbook_rels_part = RelsPartFor(impl_.workbook_part);
    std::vector<Relationship> rels;
    if (zip.Find(impl_.workbook_rels_part)) {
      impl_.workbook_rels = Parse(impl_.workbook_rels_part);
      rels = ReadRelationships(*impl_.workbook_rels, impl_.workbook_part);
    } else {
      impl_.workbook_rels = std::make_unique<pugi::xml_document>();
      impl_.workbook_rels->load_string(
          "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<Relationships "
          "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>",
          pugi::parse_default | pugi::parse_declaration);
    }
    for (const auto& rel : rels) {
      if (rel.target.empty() || !zip.Find(rel.target)) continue;
      if (TypeIs(rel.type, kRelSharedStrings)) impl_.strings_part = *zip.Find(rel.target);
      if (TypeIs(rel.type, kRelStyles)) impl_.styles_part = *zip.Find(rel.target);
      if (TypeIs(rel.type, "theme")) theme_part_ = *zip.Find(rel.target);
    }
    impl_.strings =
        impl_.strings_part.empty() ? SharedStrings() : SharedStrings(Parse(impl_.strings_part));
    for (size_t i = 0; i < impl_.strings.Size(); ++i) {
      if (!text_budget_.Take(impl_.strings.At(i).size()))
        Fail(Kind::kUnsafePackage, messages::kTooMuchText, impl_.strings_part);
    }
    impl_.styles =
        std::make_unique<Styles>(impl_.styles_part.empty() ? nullptr : Parse(impl_.styles_part));
    if (impl_.styles_part.empty()) impl_.styles_part = "xl/styles.xml";
    if (!theme_part_.empty()) impl_.styles->SetThemeColors(ThemeColors(*Parse(theme_part_)));
    impl_.date1904 = Child(root, "workbookPr").attribute("date1904").as_bool();
    ReadSheets(root, rels);
    ReadNames(root);
    pugi::xml_node view = Child(Child(root, "bookViews"), "workbookView");
    int active = view.attribute("activeTab").as_int();
    if (active >= 0 && active < static_cast<int>(impl_.sheets.size())) impl_.active_sheet = active;
    impl_.selection = {impl_.active_sheet, {impl_.active_sheet, 1, 1, 1, 1}};
  }

 private:
  [[noreturn]] void Fail(Kind kind, const char* detail, std::string_view part) {
    std::string text = detail;
    if (!part.empty()) text.append("：").append(part);
    throw WorkbookError(kind, {file_, {}, {}, {}}, text);
  }

  // Counts the part's elements (and, for a worksheet, its cells) against what the
  // whole package may hold before the tree is built.
  std::unique_ptr<pugi::xml_document> Parse(const std::string& part, bool worksheet = false) {
    std::string bytes = impl_.zip->Read(part);
    MarkupCount count = CountMarkup(bytes);
    // Cells first: for a sheet dense with cells that is the telling reason.
    if (worksheet) {
      cells_ += count.cells;
      if (cells_ > limits::kMaxCells) Fail(Kind::kUnsafePackage, messages::kTooManyCells, part);
    }
    elements_ += count.elements;
    if (elements_ > limits::kMaxElements)
      Fail(Kind::kUnsafePackage, messages::kTooManyElements, part);
    return ParseXml(bytes, file_, part);
  }

  void FindWorkbookPart() {
    const ZipReader& zip = *impl_.zip;
    if (zip.Find("_rels/.rels")) {
      auto rels_document = Parse("_rels/.rels");
      for (const auto& rel : ReadRelationships(*rels_document, "")) {
        if (TypeIs(rel.type, kRelOfficeDocument) && !rel.target.empty()) {
          if (const std::string* stored = zip.Find(rel.target)) {
            impl_.workbook_part = *stored;
            return;
          }
        }
      }
    }
    if (const std::string* stored = zip.Find("xl/workbook.xml")) {
      impl_.workbook_part = *stored;
      return;
    }
    Fail(Kind::kBadPackage, messages::kNoWorkbookPart, {});
  }

  [[noreturn]] void FailSheet(const std::string& sheet, const char* detail, std::string_view what) {
    throw WorkbookError(Kind::kBadPackage, {file_, sheet, {}, {}},
                        std::string(detail) + "：" + std::string(what));
  }

  // A sheet whose relationship is missing, of another kind, or shared with
  // another sheet would hold no cells of its own (or another sheet's), and every
  // write to it would fail or land on the other sheet.
  void CheckSheetRelationship(const std::string& sheet, const std::string& id,
                              const std::vector<Relationship>& rels) {
    const std::string where = id + " " + impl_.workbook_rels_part;
    const Relationship* found = nullptr;
    for (const auto& rel : rels) {
      if (rel.id != id) continue;
      if (found != nullptr) FailSheet(sheet, messages::kDuplicateRelId, where);
      found = &rel;
    }
    if (!impl_.zip->Find(impl_.workbook_rels_part))
      FailSheet(sheet, messages::kMissingPart, impl_.workbook_rels_part);
    if (found == nullptr) FailSheet(sheet, messages::kUnknownRelId, where);
    for (const std::string_view kind : {kRelWorksheet, std::string_view("chartsheet"),
                                        std::string_view("dialogsheet"),
                                        std::string_view("xlMacrosheet"),
                                        std::string_view("xlIntlMacrosheet")}) {
      if (TypeIs(found->type, kind)) return;
    }
    FailSheet(sheet, messages::kNotASheetRel, id + " " + found->type);
  }

  void ReadSheets(const pugi::xml_node& root, const std::vector<Relationship>& rels) {
    pugi::xml_node sheets = Child(root, "sheets");
    std::map<std::string, std::string> sheet_of_part;
    for (pugi::xml_node node = Child(sheets, "sheet"); node; node = NextNamed(node, "sheet")) {
      SheetEntry entry;
      entry.name = node.attribute("name").as_string();
      std::string id = PrefixedAttribute(node, "id").as_string();
      CheckSheetRelationship(entry.name, id, rels);
      for (const auto& rel : rels) {
        if (rel.id != id || !TypeIs(rel.type, kRelWorksheet)) continue;
        // A target outside the package (or external) would leave the sheet without
        // cells, and every later write to it would fail for no visible reason.
        if (rel.target.empty())
          throw WorkbookError(Kind::kUnsafePackage, {file_, entry.name, {}, {}},
                              std::string(messages::kSheetOutside) + "：" +
                                  rel.node.attribute("Target").as_string());
        const std::string* stored = impl_.zip->Find(rel.target);
        if (stored == nullptr) Fail(Kind::kBadPackage, messages::kMissingPart, rel.target);
        entry.part = *stored;
      }
      if (!entry.part.empty()) {
        const auto [other, added] = sheet_of_part.emplace(entry.part, entry.name);
        if (!added)
          FailSheet(entry.name, messages::kSharedSheetPart,
                    entry.part + "（シート「" + other->second + "」と同じ）");
        entry.document = Parse(entry.part, true);
        entry.data.Load(*entry.document, impl_.strings, impl_.styles->XfCount(),
                        {file_, entry.name, {}, {}}, text_budget_);
      }
      impl_.sheets.push_back(std::move(entry));
    }
  }

  void ReadNames(const pugi::xml_node& root) {
    pugi::xml_node names = Child(root, "definedNames");
    for (pugi::xml_node node = Child(names, "definedName"); node;
         node = NextNamed(node, "definedName")) {
      DefinedName name;
      name.name = node.attribute("name").as_string();
      if (pugi::xml_attribute local = node.attribute("localSheetId")) {
        int sheet = local.as_int(-1);
        if (sheet < 0 || sheet >= static_cast<int>(impl_.sheets.size())) continue;
        name.local_sheet = sheet;
      }
      name.reference = node.text().get();
      name.node = node;
      impl_.names.push_back(std::move(name));
    }
    impl_.RebuildNameIndex();
  }

  Workbook::Impl& impl_;
  std::string file_;
  std::string theme_part_;
  size_t elements_ = 0;
  size_t cells_ = 0;
  limits::TextBudget text_budget_;
};

}  // namespace

std::string LookupKey(std::string_view text) {
  return AsciiLower(text);
}

std::unique_ptr<Workbook::Impl> LoadPackage(std::string bytes, const std::filesystem::path& path) {
  auto impl = std::make_unique<Workbook::Impl>();
  impl->path = path;
  try {
    impl->zip = std::make_unique<ZipReader>(std::move(bytes), impl->FileLabel());
    Loader(*impl).Run();
  } catch (const std::bad_alloc&) {
    throw WorkbookError(WorkbookError::Kind::kOutOfMemory, {impl->FileLabel(), {}, {}, {}});
  }
  return impl;
}

}  // namespace tsumiki::workbook

#include <algorithm>

#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

using Kind = WorkbookError::Kind;

const DefinedName* Lookup(const Workbook::Impl& impl, std::string_view name,
                          std::optional<int> local_sheet) {
  auto it = impl.name_index.find(LookupKey(name));
  if (it == impl.name_index.end()) return nullptr;
  for (size_t index : it->second) {
    const DefinedName& entry = impl.names[index];
    if (entry.local_sheet == local_sheet) return &entry;
  }
  return nullptr;
}

// A name over whole columns ($A:$XFD) or whole rows ($1:$3) stands for the cells
// the sheet holds: it ends at the sheet's last row or column, so that reading or
// clearing it never walks the billions of empty cells of the whole grid.
void ClipToCells(const SheetData& data, Area& area) {
  if (area.top == 1 && area.bottom == kMaxRows) area.bottom = std::max(area.top, data.LastRow());
  if (area.left == 1 && area.right == kMaxColumns)
    area.right = std::max(area.left, data.LastColumn());
}

std::optional<CellRange> Resolve(const Workbook& book, const Workbook::Impl& impl,
                                 const DefinedName& entry) {
  auto ref = SplitSheetReference(entry.reference);
  if (!ref) return std::nullopt;
  std::optional<int> sheet = ref->sheet.empty() ? entry.local_sheet : book.FindSheet(ref->sheet);
  if (!sheet) return std::nullopt;
  auto area = ParseArea(ref->area);
  if (!area) return std::nullopt;
  ClipToCells(impl.sheets[static_cast<size_t>(*sheet)].data, *area);
  return CellRange{*sheet, area->top, area->left, area->bottom, area->right};
}

CellRange ResolveOrThrow(const Workbook& book, const Workbook::Impl& impl, const DefinedName& entry,
                         const std::string& sheet_label) {
  if (auto range = Resolve(book, impl, entry)) return *range;
  throw WorkbookError(Kind::kMissingName, {impl.FileLabel(), sheet_label, entry.name, {}},
                      messages::kNotPlainRange);
}

}  // namespace

CellRange Workbook::SheetRange(std::string_view sheet, std::string_view name) const {
  int index = Sheet(sheet);
  const DefinedName* entry = Lookup(*impl_, name, index);
  if (entry == nullptr) entry = Lookup(*impl_, name, std::nullopt);
  const std::string& label = impl_->sheets[static_cast<size_t>(index)].name;
  if (entry == nullptr)
    throw WorkbookError(Kind::kMissingName, {impl_->FileLabel(), label, std::string(name), {}});
  return ResolveOrThrow(*this, *impl_, *entry, label);
}

CellRange Workbook::WorkbookRange(std::string_view name) const {
  const DefinedName* entry = Lookup(*impl_, name, std::nullopt);
  if (entry == nullptr)
    throw WorkbookError(Kind::kMissingName, {impl_->FileLabel(), {}, std::string(name), {}});
  return ResolveOrThrow(*this, *impl_, *entry, {});
}

bool Workbook::HasSheetRange(std::string_view sheet, std::string_view name) const {
  auto index = FindSheet(sheet);
  if (!index) return false;
  const DefinedName* entry = Lookup(*impl_, name, *index);
  if (entry == nullptr) entry = Lookup(*impl_, name, std::nullopt);
  return entry != nullptr && Resolve(*this, *impl_, *entry).has_value();
}

bool Workbook::HasWorkbookRange(std::string_view name) const {
  const DefinedName* entry = Lookup(*impl_, name, std::nullopt);
  return entry != nullptr && Resolve(*this, *impl_, *entry).has_value();
}

CellRange Workbook::Address(std::string_view sheet, std::string_view a1) const {
  int index = Sheet(sheet);
  auto area = ParseArea(a1);
  if (!area)
    throw WorkbookError(
        Kind::kBadValue,
        {impl_->FileLabel(), impl_->sheets[static_cast<size_t>(index)].name, {}, std::string(a1)},
        messages::kBadAddress);
  return CellRange{index, area->top, area->left, area->bottom, area->right};
}

void Workbook::DefineName(std::string_view name, const CellRange& range,
                          std::optional<int> local_sheet) {
  impl_->EnsureSheet(range.sheet);
  if (local_sheet) impl_->EnsureSheet(*local_sheet);
  std::string reference = QuoteSheetName(impl_->sheets[static_cast<size_t>(range.sheet)].name) +
                          "!$" + ColumnLetters(range.left) + "$" + std::to_string(range.top);
  if (range.bottom != range.top || range.right != range.left)
    reference.append(":$")
        .append(ColumnLetters(range.right))
        .append("$")
        .append(std::to_string(range.bottom));

  DefinedName* entry = const_cast<DefinedName*>(Lookup(*impl_, name, local_sheet));
  if (entry == nullptr) {
    pugi::xml_node root = impl_->workbook_xml->document_element();
    std::string prefix = PrefixOf(root);
    pugi::xml_node container = Child(root, "definedNames");
    if (!container) {
      pugi::xml_node sheets = Child(root, "sheets");
      container = root.insert_child_after((prefix + "definedNames").c_str(), sheets);
    }
    DefinedName added;
    added.name = std::string(name);
    added.local_sheet = local_sheet;
    added.node = container.append_child((prefix + "definedName").c_str());
    added.node.append_attribute("name") = added.name.c_str();
    if (local_sheet) added.node.append_attribute("localSheetId") = *local_sheet;
    impl_->names.push_back(std::move(added));
    impl_->RebuildNameIndex();
    entry = &impl_->names.back();
  }
  entry->reference = reference;
  entry->node.text().set(reference.c_str());
  impl_->workbook_dirty = true;
  impl_->modified = true;
}

}  // namespace tsumiki::workbook

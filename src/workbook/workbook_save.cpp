#include <system_error>

#include "workbook/opc.h"
#include "workbook/package_writer.h"
#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

using Kind = WorkbookError::Kind;

void RemoveOverride(pugi::xml_document& types, const std::string& part) {
  std::string name = "/" + part;
  pugi::xml_node root = types.document_element();
  for (pugi::xml_node node = Child(root, "Override"); node;) {
    pugi::xml_node next = NextNamed(node, "Override");
    if (AsciiLower(node.attribute("PartName").as_string()) == AsciiLower(name))
      root.remove_child(node);
    node = next;
  }
}

// A stale calculation chain makes Excel report removed records once cells change.
void DropCalcChain(Workbook::Impl& impl) {
  for (const auto& rel : ReadRelationships(*impl.workbook_rels, impl.workbook_part)) {
    if (!TypeIs(rel.type, kRelCalcChain)) continue;
    if (!rel.target.empty()) {
      if (const std::string* stored = impl.zip->Find(rel.target)) {
        impl.removed_parts.insert(*stored);
        RemoveOverride(*impl.content_types, *stored);
        impl.content_types_dirty = true;
      }
    }
    impl.workbook_rels->document_element().remove_child(rel.node);
    impl.rels_dirty = true;
  }
}

// Other programs recalculate formulas on open, since cached results may be stale.
void RequestFullCalculation(Workbook::Impl& impl) {
  pugi::xml_node root = impl.workbook_xml->document_element();
  pugi::xml_node calc = Child(root, "calcPr");
  if (!calc) {
    pugi::xml_node after;
    for (const char* name : {"sheets", "functionGroups", "externalReferences", "definedNames"})
      if (pugi::xml_node node = Child(root, name)) after = node;
    std::string name = PrefixOf(root) + "calcPr";
    calc = after ? root.insert_child_after(name.c_str(), after) : root.append_child(name.c_str());
  }
  pugi::xml_attribute full = calc.attribute("fullCalcOnLoad");
  if (!full) full = calc.append_attribute("fullCalcOnLoad");
  if (std::string_view(full.value()) != "1") {
    full.set_value("1");
    impl.workbook_dirty = true;
  }
}

void AddOverride(pugi::xml_document& types, const std::string& part, const char* content_type) {
  pugi::xml_node root = types.document_element();
  pugi::xml_node node = root.append_child((PrefixOf(root) + "Override").c_str());
  node.append_attribute("PartName") = ("/" + part).c_str();
  node.append_attribute("ContentType") = content_type;
}

void WriteOut(Workbook::Impl& impl, const std::filesystem::path& path,
              const std::function<void()>& before_rename);

PackagePlan BuildPlan(Workbook::Impl& impl) {
  PackagePlan plan;
  plan.source = impl.zip.get();
  if (impl.cells_changed) {
    DropCalcChain(impl);
    RequestFullCalculation(impl);
  }
  for (SheetEntry& sheet : impl.sheets) {
    if (!sheet.document) continue;
    if (sheet.data.HasChanges()) {
      sheet.data.Flush(impl.strings);
      sheet.unsaved = true;
    }
    if (sheet.unsaved || sheet.added) plan.replaced[sheet.part] = SerializeXml(*sheet.document);
  }
  if (impl.strings.Changed() && impl.strings.HasPart()) {
    size_t references = 0;
    for (const SheetEntry& sheet : impl.sheets) references += sheet.data.SharedStringReferences();
    impl.strings.Flush(references);
    impl.strings_unsaved = true;
  }
  if (impl.strings_unsaved)
    plan.replaced[impl.strings_part] = SerializeXml(impl.strings.Document());
  if (impl.styles->Changed()) {
    if (!impl.styles->HasPart()) {
      AddOverride(*impl.content_types, impl.styles_part, kContentTypeStyles);
      pugi::xml_node root = impl.workbook_rels->document_element();
      pugi::xml_node rel = root.append_child((PrefixOf(root) + "Relationship").c_str());
      rel.append_attribute("Id") = UnusedRelationshipId(*impl.workbook_rels).c_str();
      rel.append_attribute("Type") = (std::string(kRelTypeBase) + "styles").c_str();
      rel.append_attribute("Target") = RelativeTarget(impl.workbook_part, impl.styles_part).c_str();
      impl.content_types_dirty = impl.rels_dirty = true;
    }
    plan.replaced[impl.styles_part] = SerializeXml(impl.styles->Document());
  }
  if (impl.workbook_dirty) plan.replaced[impl.workbook_part] = SerializeXml(*impl.workbook_xml);
  if (impl.rels_dirty) plan.replaced[impl.workbook_rels_part] = SerializeXml(*impl.workbook_rels);
  if (impl.content_types_dirty)
    plan.replaced["[Content_Types].xml"] = SerializeXml(*impl.content_types);
  plan.removed.assign(impl.removed_parts.begin(), impl.removed_parts.end());
  return plan;
}

}  // namespace

void Workbook::Save() {
  Impl& impl = *impl_;
  if (impl.path.empty())
    throw WorkbookError(Kind::kSaveFailed, {impl.FileLabel(), {}, {}, {}}, messages::kNoPath);
  if (!impl.save_refusal.empty())
    throw WorkbookError(Kind::kSaveFailed, {impl.FileLabel(), {}, {}, {}}, impl.save_refusal);
  // Checked before the work and again just before the rename: another program
  // may save the file while this one writes.
  const auto check_unchanged = [&impl] {
    if (!impl.on_disk) return;
    const FileStamp now = StampOf(impl.path);
    if (now.exists && now != impl.disk_stamp)
      throw WorkbookError(Kind::kFileChanged, {impl.FileLabel(), {}, {}, {}});
  };
  check_unchanged();
  Recalculate();
  WriteOut(impl, impl.path, check_unchanged);
}

void Workbook::SaveAs(const std::filesystem::path& path) {
  Recalculate();
  WriteOut(*impl_, path, {});
}

namespace {

void WriteOut(Workbook::Impl& impl, const std::filesystem::path& path,
              const std::function<void()>& before_rename) {
  PackagePlan plan = BuildPlan(impl);
  std::string bytes = WritePackageAtomically(plan, path, impl.save_probe, before_rename);
  // The new file is now the package that unchanged parts are copied from.
  impl.zip = std::make_unique<ZipReader>(std::move(bytes), path.filename().string());
  impl.path = path;
  for (SheetEntry& sheet : impl.sheets) sheet.added = sheet.unsaved = false;
  impl.strings_unsaved = false;
  impl.styles->MarkSaved();
  impl.removed_parts.clear();
  impl.content_types_dirty = impl.workbook_dirty = impl.rels_dirty = false;
  impl.modified = impl.cells_changed = false;
  impl.on_disk = true;
  impl.disk_stamp = StampOf(path);
}

}  // namespace

void Workbook::RefuseSaves(std::string reason) {
  impl_->save_refusal = std::move(reason);
}

void Workbook::SetSaveProbe(std::function<void(const char*)> probe) {
  impl_->save_probe = std::move(probe);
}

void Workbook::CloseSession(bool save) {
  if (save) Save();
  // Back to the package as it is on disk (or as it was created): nothing of the
  // session's changes survives.
  std::unique_ptr<Impl> fresh = LoadPackage(impl_->zip->Bytes(), impl_->path);
  fresh->on_disk = impl_->on_disk;
  fresh->disk_stamp = impl_->disk_stamp;
  fresh->save_probe = std::move(impl_->save_probe);
  fresh->save_refusal = std::move(impl_->save_refusal);
  impl_ = std::move(fresh);
}

}  // namespace tsumiki::workbook

#pragma once

#include <pugixml.hpp>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/file_replace.h"
#include "workbook/shared_strings.h"
#include "workbook/sheet_data.h"
#include "workbook/styles.h"
#include "workbook/workbook.h"
#include "workbook/zip_reader.h"

namespace tsumiki::workbook {

struct SheetEntry {
  std::string name;
  std::string part;  // empty for chart and dialog sheets, which have no cells
  std::unique_ptr<pugi::xml_document> document;
  SheetData data;
  bool added = false;    // created in this session, not yet in the package
  bool unsaved = false;  // cells were written into the document, not yet saved
};

struct DefinedName {
  std::string name;
  std::optional<int> local_sheet;
  std::string reference;  // as stored, without "="
  pugi::xml_node node;
};

struct Workbook::Impl {
  // --- The package as opened or last saved.
  std::filesystem::path path;
  std::unique_ptr<ZipReader> zip;
  bool on_disk = false;
  // The file as this session last read or wrote it.
  FileStamp disk_stamp;

  // --- Parsed parts.
  std::unique_ptr<pugi::xml_document> content_types, workbook_xml, workbook_rels;
  std::string workbook_part, workbook_rels_part;
  std::vector<SheetEntry> sheets;
  SharedStrings strings;
  std::string strings_part;
  std::unique_ptr<Styles> styles;
  std::string styles_part;
  std::vector<DefinedName> names;
  std::unordered_map<std::string, std::vector<size_t>> name_index;  // lower-case name
  bool date1904 = false;

  // --- What changed since the package was read.
  bool strings_unsaved = false;
  bool content_types_dirty = false, workbook_dirty = false, rels_dirty = false;
  std::set<std::string> removed_parts;
  bool modified = false;
  bool cells_changed = false;

  // --- Session state.
  AppState app_state;
  int active_sheet = 0;
  Selection selection;
  std::map<std::string, Macro> macros;  // lower-case name without the book prefix
  Recalculator recalculator;
  bool inputs_changed = false;
  bool recalculating = false;
  std::vector<CellRange> derived;
  ChangeListener listener;
  BeforeChangeListener before_listener;
  // Tells the before-change listener what a write is about to replace.
  void ReportBefore(int sheet, int row, int column) const;
  // Called with the name of each step of a save; tests throw from it to fail a save.
  std::function<void(const char* step)> save_probe;
  // Why Save refuses to write, when it does (a workbook opened read-only).
  std::string save_refusal;

  std::string FileLabel() const { return path.filename().string(); }
  WorkbookError::Place PlaceOf(int sheet, int row = 0, int column = 0) const;
  void RebuildNameIndex();
  void MarkCellsChanged();
  void EnsureSheet(int sheet) const;
};

// Reads a whole package from memory into a fresh Impl (used by Open, CreateEmpty
// and by CloseSession to drop changes).
std::unique_ptr<Workbook::Impl> LoadPackage(std::string bytes, const std::filesystem::path& path);
// A minimal package with no sheets.
std::string EmptyPackageBytes(bool macro_enabled);
// Case-insensitive key for sheet, name and macro lookups.
std::string LookupKey(std::string_view text);

}  // namespace tsumiki::workbook

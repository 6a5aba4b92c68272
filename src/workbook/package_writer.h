#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "workbook/zip_reader.h"

namespace tsumiki::workbook {

// What a save writes: every entry of the source package in its order, either
// copied byte for byte or replaced, then the new parts.
struct PackagePlan {
  const ZipReader* source = nullptr;
  std::map<std::string, std::string> replaced;  // part name -> new bytes (also new parts)
  std::vector<std::string> removed;
};

// Writes the plan atomically: a temporary file beside `target`, verified by
// reading it back, given the mode of the file it replaces, flushed, the old file
// kept as "<target>.bak", renamed over `target`, the folder flushed. `probe` is
// called with each step's name (tests throw from it). Throws WorkbookError
// (kSaveFailed) and leaves `target` as it was. Returns the bytes written.
std::string WritePackageAtomically(const PackagePlan& plan, const std::filesystem::path& target,
                                   const std::function<void(const char*)>& probe);

}  // namespace tsumiki::workbook

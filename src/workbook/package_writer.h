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

// Writes the plan atomically over the real file behind `target` (ReplaceFile of
// file_replace.h): verified by reading the temporary file back, the old file kept
// as "<real target>.bak". `probe` is called with each step's name (tests throw
// from it); `before_rename` may throw to stop the save at the last moment. Throws
// WorkbookError and leaves `target` as it was. Returns the bytes written.
std::string WritePackageAtomically(const PackagePlan& plan, const std::filesystem::path& target,
                                   const std::function<void(const char*)>& probe,
                                   const std::function<void()>& before_rename = {});

}  // namespace tsumiki::workbook

#pragma once

#include <stdexcept>
#include <string>

namespace tsumiki::workbook {

// A failure of the workbook store. It names the place to fix so the planner can
// find it: the file, the sheet, the defined name and the cell, where known.
class WorkbookError : public std::runtime_error {
 public:
  enum class Kind {
    kFileNotFound,   // the workbook file does not exist
    kLegacyFormat,   // an old binary .xls or an encrypted workbook
    kNotAPackage,    // not a zip file, or a truncated one
    kBadPackage,     // a required part is missing or malformed
    kUnsafePackage,  // hostile sizes, entry paths or XML
    kMissingSheet,   // no sheet of that name
    kMissingName,    // no defined name of that name, or one that is no plain range
    kBadValue,       // a cell value that cannot be converted as asked
    kReadOnlyCell,   // a write inside an array formula
    kUnknownMacro,   // RunMacro with a name nobody registered
    kFileChanged,    // the file on disk changed since it was opened
    kSaveFailed,     // writing, flushing or renaming failed
    kUnreadable,     // the file exists but may not be read (permissions)
    kOutOfMemory,    // the package does not fit in memory
    kRangeTooSmall,  // a defined name smaller than the counts it must hold
  };

  struct Place {
    std::string file;
    std::string sheet;
    std::string name;
    std::string cell;  // A1 address, empty when not about one cell
  };

  WorkbookError(Kind kind, Place place, std::string detail = {});

  Kind kind() const { return kind_; }
  const Place& place() const { return place_; }
  const std::string& detail() const { return detail_; }
  // The whole message in Japanese, for the planner ("シート「基本設定」の名前「Type_Cnt」…").
  std::string JapaneseMessage() const;

 private:
  Kind kind_;
  Place place_;
  std::string detail_;
};

}  // namespace tsumiki::workbook

#pragma once

#include <zip.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

// A zip package read from memory. Entry names are checked once when opening
// (no "..", no absolute paths, no backslashes, no case duplicates) and every read
// counts its bytes itself, because libzip trusts the sizes the archive declares.
class ZipReader {
 public:
  // Throws WorkbookError (kLegacyFormat, kNotAPackage, kUnsafePackage); `file`
  // names the workbook in messages.
  ZipReader(std::string bytes, std::string file);
  ~ZipReader();
  ZipReader(const ZipReader&) = delete;
  ZipReader& operator=(const ZipReader&) = delete;

  // Entry names in archive order, directories left out.
  const std::vector<std::string>& Names() const { return names_; }
  // Part names compare without regard to ASCII case; returns the stored spelling.
  const std::string* Find(std::string_view name) const;
  // The entry's bytes. Throws WorkbookError for a missing, oversized or lying entry.
  std::string Read(std::string_view name) const;
  // libzip's index of a stored entry, for copying it into another archive.
  zip_int64_t Index(std::string_view name) const;
  zip_t* Handle() const { return zip_; }
  const std::string& Bytes() const { return bytes_; }

  static constexpr zip_int64_t kMaxEntries = 20000;
  static constexpr zip_uint64_t kMaxPartBytes = 256u << 20;
  // All parts read from one package together, so many medium parts cannot add up.
  static constexpr zip_uint64_t kMaxTotalBytes = 1024u << 20;

 private:
  [[noreturn]] void Fail(WorkbookError::Kind kind, const char* detail,
                         std::string_view part = {}) const;
  std::string bytes_;
  std::string file_;
  zip_t* zip_ = nullptr;
  std::vector<std::string> names_;
  std::map<std::string, zip_int64_t> index_;  // lower-case name -> index
  mutable zip_uint64_t total_read_ = 0;
};

std::string AsciiLower(std::string_view text);

}  // namespace tsumiki::workbook

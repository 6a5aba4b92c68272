#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tsumiki::workbook {

// The shared string table. Texts written during the session are appended to it
// (never changing an existing entry, so every stored index stays valid); the part
// is rewritten only when something was appended.
class SharedStrings {
 public:
  SharedStrings() = default;
  // Takes the parsed part (may be null when the package has none).
  explicit SharedStrings(std::unique_ptr<pugi::xml_document> document);

  bool HasPart() const { return document_ != nullptr; }
  size_t Size() const { return strings_.size(); }
  const std::string& At(size_t index) const { return strings_[index]; }
  // The index of the text, appending it when new.
  std::uint32_t Intern(std::string_view text);
  bool Changed() const { return strings_.size() != stored_; }
  // Writes the appended entries and the counts into the document and returns it.
  // `references` is the number of cells that point into the table.
  void Flush(size_t references);
  pugi::xml_document& Document() { return *document_; }

 private:
  std::unique_ptr<pugi::xml_document> document_;
  std::vector<std::string> strings_;
  std::unordered_map<std::string, std::uint32_t> index_;  // built on the first Intern
  size_t stored_ = 0;                                     // entries present in the document
};

}  // namespace tsumiki::workbook

#include "workbook/shared_strings.h"

#include "workbook/xml_util.h"

namespace tsumiki::workbook {

SharedStrings::SharedStrings(std::unique_ptr<pugi::xml_document> document)
    : document_(std::move(document)) {
  if (!document_) return;
  pugi::xml_node root = document_->document_element();
  for (pugi::xml_node si = Child(root, "si"); si; si = NextNamed(si, "si"))
    strings_.push_back(RichText(si));
  stored_ = strings_.size();
}

std::uint32_t SharedStrings::Intern(std::string_view text) {
  if (index_.empty() && !strings_.empty()) {
    for (size_t i = 0; i < strings_.size(); ++i)
      index_.emplace(strings_[i], static_cast<std::uint32_t>(i));
  }
  auto it = index_.find(std::string(text));
  if (it != index_.end()) return it->second;
  auto index = static_cast<std::uint32_t>(strings_.size());
  strings_.emplace_back(text);
  index_.emplace(strings_.back(), index);
  return index;
}

void SharedStrings::Flush(size_t references) {
  pugi::xml_node root = document_->document_element();
  std::string prefix = PrefixOf(root);
  for (size_t i = stored_; i < strings_.size(); ++i) {
    pugi::xml_node si = root.append_child((prefix + "si").c_str());
    SetTextElement(si.append_child((prefix + "t").c_str()), strings_[i]);
  }
  stored_ = strings_.size();
  auto set = [&](const char* name, size_t value) {
    pugi::xml_attribute attribute = root.attribute(name);
    if (!attribute) attribute = root.append_attribute(name);
    attribute.set_value(static_cast<unsigned long long>(value));
  };
  set("count", references);
  set("uniqueCount", strings_.size());
}

}  // namespace tsumiki::workbook

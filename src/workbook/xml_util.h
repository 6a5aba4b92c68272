#pragma once

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>

namespace tsumiki::workbook {

// Spreadsheet parts nest a dozen levels at most; anything far deeper is an attack
// on code that walks the tree, so it is refused before any walk begins.
inline constexpr int kMaxXmlDepth = 256;

// Elements in a part's bytes, counted without parsing: every '<' that opens a
// tag. Comments or CDATA may add a few; the count only has to bound the tree.
// `cells` counts the elements whose local name is "c".
struct MarkupCount {
  std::size_t elements = 0;
  std::size_t cells = 0;
};
MarkupCount CountMarkup(std::string_view xml);

// Parses one package part. Whitespace-only text, comments, processing instructions
// and the declaration are kept so that an unchanged document saves as it came.
// Throws WorkbookError: kBadPackage for broken XML, kUnsafePackage for a DOCTYPE
// (OOXML never has one; it is how entity tricks arrive) or nesting deeper than
// kMaxXmlDepth; kOutOfMemory when the tree does not fit in memory.
std::unique_ptr<pugi::xml_document> ParseXml(const std::string& bytes, const std::string& file,
                                             const std::string& part);
std::string SerializeXml(const pugi::xml_document& document);

// Element names compare by local name, because producers choose their own prefixes.
std::string_view LocalName(const char* name);
bool IsNamed(const pugi::xml_node& node, std::string_view local);
pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local);
pugi::xml_node NextNamed(const pugi::xml_node& node, std::string_view local);
// The prefix of an element including the colon ("x:"), to name new siblings alike.
std::string PrefixOf(const pugi::xml_node& node);
// The attribute with this local name and a namespace prefix (r:id), if any.
pugi::xml_attribute PrefixedAttribute(const pugi::xml_node& node, std::string_view local);

// Excel escapes characters XML cannot hold as "_xHHHH_".
std::string DecodeEscapes(std::string_view text);
std::string EncodeEscapes(std::string_view text);
// Sets the text of a <t> element, preserving leading and trailing blanks.
void SetTextElement(pugi::xml_node t, std::string_view text);
// The text of <si> or <is>: every <t> directly under it or under its runs, but not
// the phonetic runs (<rPh>) that hold furigana.
std::string RichText(const pugi::xml_node& node);

}  // namespace tsumiki::workbook

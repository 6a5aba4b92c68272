#include "workbook/xml_util.h"

#include <cstdio>
#include <sstream>

#include "workbook/store_messages.h"
#include "workbook/workbook_error.h"
#include "workbook/xml_text_check.h"

namespace tsumiki::workbook {

namespace {

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata |
                                 pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi |
                                 pugi::parse_doctype;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of an "_xHHHH_" escape starting at `at`, or 0.
bool IsEscapeAt(std::string_view text, size_t at, unsigned* code) {
  if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
    return false;
  unsigned value = 0;
  for (size_t i = at + 2; i < at + 6; ++i) {
    int h = HexValue(text[i]);
    if (h < 0) return false;
    value = value * 16 + static_cast<unsigned>(h);
  }
  *code = value;
  return true;
}

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Walks the runs without recursion: a hostile part may nest <r> thousands deep.
// `node` is the <si> or <is> element; the walk climbs back through parent links.
void CollectText(const pugi::xml_node& node, std::string& out) {
  pugi::xml_node child = node.first_child();
  while (child) {
    if (child.type() == pugi::node_element) {
      std::string_view name = LocalName(child.name());
      if (name == "t") {
        out += child.text().get();
      } else if (name == "r" && child.first_child()) {
        child = child.first_child();
        continue;
      }
    }
    while (!child.next_sibling() && child.parent() != node) child = child.parent();
    child = child.next_sibling();
  }
}

// The deepest element nesting of a document, counted without recursion.
bool DeeperThan(const pugi::xml_document& document, int limit) {
  int depth = 0;
  pugi::xml_node node = document.first_child();
  while (node) {
    if (node.first_child()) {
      if (++depth > limit) return true;
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) {
      node = node.parent();
      --depth;
      if (node == document) return false;
    }
    node = node.next_sibling();
  }
  return false;
}

}  // namespace

MarkupCount CountMarkup(std::string_view xml) {
  MarkupCount count;
  for (size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
    if (at + 1 >= xml.size()) break;
    char first = xml[at + 1];
    if (first == '/' || first == '!' || first == '?') continue;
    ++count.elements;
    size_t end = xml.find_first_of(" \t\r\n/>", at + 1);
    std::string_view name = xml.substr(at + 1, end == std::string_view::npos ? 0 : end - at - 1);
    size_t colon = name.find(':');
    if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
    if (name == "c") ++count.cells;
  }
  return count;
}

std::unique_ptr<pugi::xml_document> ParseXml(const std::string& bytes, const std::string& file,
                                             const std::string& part) {
  auto document = std::make_unique<pugi::xml_document>();
  pugi::xml_parse_result result =
      document->load_buffer(bytes.data(), bytes.size(), kParseFlags, pugi::encoding_auto);
  if (result.status == pugi::status_out_of_memory) {
    throw WorkbookError(WorkbookError::Kind::kOutOfMemory, {file, {}, {}, {}}, part);
  }
  if (!result) {
    throw WorkbookError(WorkbookError::Kind::kBadPackage, {file, {}, {}, {}},
                        std::string(messages::kMalformedXml) + "：" + part);
  }
  for (pugi::xml_node child : document->children()) {
    if (child.type() == pugi::node_doctype) {
      throw WorkbookError(WorkbookError::Kind::kUnsafePackage, {file, {}, {}, {}},
                          std::string(messages::kMalformedXml) + "：" + part);
    }
  }
  // After the DOCTYPE check: an entity declared there is the unsafe kind.
  if (const char* fault = XmlTextFault(bytes)) {
    throw WorkbookError(WorkbookError::Kind::kBadPackage, {file, {}, {}, {}},
                        std::string(fault) + "：" + part);
  }
  if (DeeperThan(*document, kMaxXmlDepth)) {
    throw WorkbookError(WorkbookError::Kind::kUnsafePackage, {file, {}, {}, {}},
                        std::string(messages::kTooDeep) + "：" + part);
  }
  if (!document->document_element()) {
    throw WorkbookError(WorkbookError::Kind::kBadPackage, {file, {}, {}, {}},
                        std::string(messages::kMalformedXml) + "：" + part);
  }
  return document;
}

std::string SerializeXml(const pugi::xml_document& document) {
  std::ostringstream out;
  unsigned flags = pugi::format_raw | pugi::format_no_declaration;
  bool has_declaration = document.first_child().type() == pugi::node_declaration;
  if (!has_declaration) out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  document.save(out, "", flags, pugi::encoding_utf8);
  return out.str();
}

std::string_view LocalName(const char* name) {
  std::string_view view(name);
  size_t colon = view.find(':');
  return colon == std::string_view::npos ? view : view.substr(colon + 1);
}

bool IsNamed(const pugi::xml_node& node, std::string_view local) {
  return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view local) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    if (IsNamed(child, local)) return child;
  return {};
}

pugi::xml_node NextNamed(const pugi::xml_node& node, std::string_view local) {
  for (pugi::xml_node next = node.next_sibling(); next; next = next.next_sibling())
    if (IsNamed(next, local)) return next;
  return {};
}

std::string PrefixOf(const pugi::xml_node& node) {
  std::string_view name(node.name());
  size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

pugi::xml_attribute PrefixedAttribute(const pugi::xml_node& node, std::string_view local) {
  for (pugi::xml_attribute attribute : node.attributes()) {
    std::string_view name(attribute.name());
    size_t colon = name.find(':');
    if (colon != std::string_view::npos && name.substr(colon + 1) == local &&
        name.substr(0, colon) != "xmlns")
      return attribute;
  }
  return {};
}

std::string DecodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned code = 0;
    if (IsEscapeAt(text, i, &code)) {
      AppendUtf8(out, code);
      i += 7;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string EncodeEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    unsigned code = 0;
    if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || IsEscapeAt(text, i, &code)) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "_x%04X_", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void SetTextElement(pugi::xml_node t, std::string_view text) {
  std::string encoded = EncodeEscapes(text);
  t.text().set(encoded.c_str());
  bool edge_blank =
      !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\n' ||
                        text.back() == '\n' || text.front() == '\t' || text.back() == '\t');
  pugi::xml_attribute space = t.attribute("xml:space");
  if (edge_blank || text.find('\n') != std::string_view::npos) {
    if (!space) space = t.append_attribute("xml:space");
    space.set_value("preserve");
  } else if (space) {
    t.remove_attribute(space);
  }
}

std::string RichText(const pugi::xml_node& node) {
  std::string raw;
  CollectText(node, raw);
  return DecodeEscapes(raw);
}

}  // namespace tsumiki::workbook

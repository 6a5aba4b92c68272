#include "workbook/xml_text_check.h"

#include <array>
#include <cctype>
#include <charconv>
#include <string>

#include "workbook/store_messages.h"

namespace tsumiki::workbook {
namespace {

bool IsXmlChar(unsigned long code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool DeclaresOtherEncoding(std::string_view bytes) {
  if (bytes.rfind("<?xml", 0) != 0) return false;
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return false;
  const size_t open = declaration.find_first_of("\"'", at);
  if (open == std::string_view::npos) return false;
  const size_t close = declaration.find(declaration[open], open + 1);
  const std::string name = Lower(declaration.substr(open + 1, close - open - 1));
  return name != "utf-8" && name != "utf8" && name != "utf-16" && name != "utf16";
}

// Length of the UTF-8 sequence at `at` (1..4), or 0 when it is none: overlong
// forms, surrogates and code points beyond U+10FFFF included.
size_t Utf8Length(std::string_view bytes, size_t at, unsigned long* code) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned long value = 0;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr std::array<unsigned long, 5> kLeast{0, 0, 0x80, 0x800, 0x10000};
  if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *code = value;
  return length;
}

// Length of the reference at `at` (which holds '&') when XML allows it, else 0.
size_t ReferenceLength(std::string_view bytes, size_t at) {
  const size_t end = bytes.find(';', at);
  if (end == std::string_view::npos || end - at > 12) return 0;
  const std::string_view name = bytes.substr(at + 1, end - at - 1);
  if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos")
    return end - at + 1;
  if (name.size() < 2 || name[0] != '#') return 0;
  const bool hex = name[1] == 'x';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  unsigned long code = 0;
  const auto [last, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
  if (digits.empty() || error != std::errc() || last != digits.data() + digits.size() ||
      !IsXmlChar(code))
    return 0;
  return end - at + 1;
}

// Skips a comment or CDATA section starting at `at`; returns where it ends, or `at`.
size_t SkipUnparsed(std::string_view bytes, size_t at) {
  struct Section {
    std::string_view open, close;
  };
  static constexpr std::array<Section, 2> kSections{{{"<!--", "-->"}, {"<![CDATA[", "]]>"}}};
  for (const auto& [open, close] : kSections) {
    if (bytes.substr(at, open.size()) == open) {
      const size_t end = bytes.find(close, at + open.size());
      return end == std::string_view::npos ? bytes.size() : end + close.size();
    }
  }
  return at;
}

}  // namespace

const char* XmlTextFault(std::string_view bytes) {
  if (bytes.size() >= 2 &&
      ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
    return nullptr;  // UTF-16: the parser converts it and checks it as it goes
  if (bytes.size() >= 2 && (bytes[0] == '\0' || bytes[1] == '\0')) return nullptr;  // no mark
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.remove_prefix(3);
  if (DeclaresOtherEncoding(bytes)) return messages::kOtherEncoding;
  size_t at = 0;
  while (at < bytes.size()) {
    const char c = bytes[at];
    if (c == '<') {
      const size_t skipped = SkipUnparsed(bytes, at);
      if (skipped != at) {
        at = skipped;
        continue;
      }
    }
    if (c == '&') {
      const size_t length = ReferenceLength(bytes, at);
      if (length == 0) return messages::kBadReference;
      at += length;
      continue;
    }
    unsigned long code = 0;
    const size_t length = Utf8Length(bytes, at, &code);
    if (length == 0) return messages::kNotUtf8;
    if (!IsXmlChar(code)) return messages::kBadXmlChar;
    at += length;
  }
  return nullptr;
}

}  // namespace tsumiki::workbook

#include "conditions/csv_codec.h"

namespace tsumiki::layout::csv {

ParseResult Parse(std::string_view text) {
  ParseResult result;
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    Record record;
    record.line = line;
    std::string field;
    bool record_done = false;
    while (!record_done) {
      field.clear();
      if (i < text.size() && text[i] == '"') {
        const int quote_line = line;
        ++i;
        for (;;) {
          if (i >= text.size()) {
            result.error = ParseError::kUnclosedQuote;
            result.error_line = quote_line;
            return result;
          }
          if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
              field += '"';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          if (text[i] == '\n') ++line;
          field += text[i++];
        }
        if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
          result.error = ParseError::kTextAfterQuote;
          result.error_line = line;
          return result;
        }
      } else {
        while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
          field += text[i++];
        }
      }
      record.fields.push_back(field);
      if (i < text.size() && text[i] == ',') {
        ++i;
        continue;
      }
      // End of record: CRLF, LF, lone CR or the end of the text.
      if (i < text.size() && text[i] == '\r') ++i;
      if (i < text.size() && text[i] == '\n') ++i;
      ++line;
      record_done = true;
    }
    result.records.push_back(std::move(record));
  }
  return result;
}

std::string QuoteField(std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string FormatRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += QuoteField(fields[i]);
  }
  out += "\r\n";
  return out;
}

int FirstInvalidUtf8Line(std::string_view text) {
  int line = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') ++line;
    int extra = 0;
    unsigned min = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      min = 0x10000;
    } else {
      return line;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) return line;
    unsigned code = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return line;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return line;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return 0;
}

}  // namespace tsumiki::layout::csv

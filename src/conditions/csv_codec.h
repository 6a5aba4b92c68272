#pragma once

#include <string>
#include <string_view>
#include <vector>

// RFC 4180 records: fields separated by ",", quoted with '"' when they hold a
// comma, a quote or a line break, quotes doubled inside.
namespace tsumiki::layout::csv {

struct Record {
  int line = 0;  // the line on which the record starts, from 1
  std::vector<std::string> fields;
};

enum class ParseError { kNone, kUnclosedQuote, kTextAfterQuote };

struct ParseResult {
  std::vector<Record> records;
  ParseError error = ParseError::kNone;
  int error_line = 0;
};

// Splits the text (without BOM) into records. CRLF and LF both end a record; a
// final line break adds no empty record. Stops at the first malformed record.
ParseResult Parse(std::string_view text);

// One field, quoted only when needed.
std::string QuoteField(std::string_view field);
// A whole record followed by CRLF.
std::string FormatRecord(const std::vector<std::string>& fields);

// The line (from 1) of the first byte that is not well-formed UTF-8, or 0.
int FirstInvalidUtf8Line(std::string_view text);

}  // namespace tsumiki::layout::csv

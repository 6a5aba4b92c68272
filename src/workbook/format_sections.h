#pragma once

#include <string>
#include <string_view>
#include <vector>

// The pieces of a number format code, shared by the number and the date formatter.
namespace tsumiki::workbook {

struct FormatToken {
  enum Kind {
    kLiteral,
    kDigit,
    kPoint,
    kComma,
    kPercent,
    kExponent,
    kDate,
    kAmPm,
    kText,
    kGeneral
  };
  Kind kind = kLiteral;
  std::string text;  // the literal, the placeholder, or the date code in lower case
};

struct FormatSection {
  std::vector<FormatToken> tokens;
  bool has_number = false;
  bool is_date = false;
  bool has_text = false;
  bool general = false;
};

// Splits "pos;neg;zero;text" and tokenises each section. Colours, conditions and
// locale tags in brackets are dropped; "[$¥-411]" keeps its currency symbol.
std::vector<FormatSection> SplitSections(std::string_view code);

std::string ApplyNumberSection(const FormatSection& section, double magnitude);
std::string ApplyDateSection(const FormatSection& section, double serial, bool date1904);
std::string ApplyTextSection(const FormatSection& section, const std::string& text);

}  // namespace tsumiki::workbook

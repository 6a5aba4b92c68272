#include "workbook/number_format.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "workbook/format_sections.h"

namespace tsumiki::workbook {

std::string BuiltinFormatCode(int id) {
  static const std::map<int, std::string> kCodes = {{0, "General"},
                                                    {1, "0"},
                                                    {2, "0.00"},
                                                    {3, "#,##0"},
                                                    {4, "#,##0.00"},
                                                    {9, "0%"},
                                                    {10, "0.00%"},
                                                    {11, "0.00E+00"},
                                                    {12, "# ?/?"},
                                                    {13, "# ?\?/??"},
                                                    {14, "yyyy/m/d"},
                                                    {15, "d-mmm-yy"},
                                                    {16, "d-mmm"},
                                                    {17, "mmm-yy"},
                                                    {18, "h:mm AM/PM"},
                                                    {19, "h:mm:ss AM/PM"},
                                                    {20, "h:mm"},
                                                    {21, "h:mm:ss"},
                                                    {22, "yyyy/m/d h:mm"},
                                                    {37, "#,##0 ;(#,##0)"},
                                                    {38, "#,##0 ;[Red](#,##0)"},
                                                    {39, "#,##0.00;(#,##0.00)"},
                                                    {40, "#,##0.00;[Red](#,##0.00)"},
                                                    {45, "mm:ss"},
                                                    {46, "[h]:mm:ss"},
                                                    {47, "mm:ss.0"},
                                                    {48, "##0.0E+0"},
                                                    {49, "@"},
                                                    {27, "[$-411]ge.m.d"},
                                                    {28, "[$-411]ggge\"年\"m\"月\"d\"日\""},
                                                    {30, "m/d/yy"},
                                                    {31, "yyyy\"年\"m\"月\"d\"日\""},
                                                    {32, "h\"時\"mm\"分\""},
                                                    {33, "h\"時\"mm\"分\"ss\"秒\""},
                                                    {34, "yyyy\"年\"m\"月\""},
                                                    {35, "m\"月\"d\"日\""}};
  auto it = kCodes.find(id);
  if (it != kCodes.end()) return it->second;
  switch (id) {
    case 29:
    case 51:
    case 54:
    case 58:
      return kCodes.at(28);
    case 36:
    case 50:
    case 57:
      return kCodes.at(27);
    case 52:
    case 55:
      return kCodes.at(34);
    case 53:
    case 56:
      return kCodes.at(35);
    default:
      return "General";
  }
}

std::string RoundedDecimal(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) {
    return decimals > 0 ? std::string("0.").append(static_cast<size_t>(decimals), '0') : "0";
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  std::string text(buffer);
  size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  int point = std::atoi(text.c_str() + e + 1) + 1;
  if (point < 0) {
    digits.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  size_t cut = static_cast<size_t>(point + decimals);
  if (digits.size() < cut + 1) digits.append(cut + 1 - digits.size(), '0');
  bool up = digits[cut] >= '5';
  digits.resize(cut);
  if (up) {
    size_t i = digits.size();
    for (; i > 0; --i) {
      if (digits[i - 1] == '9') {
        digits[i - 1] = '0';
      } else {
        ++digits[i - 1];
        break;
      }
    }
    if (i == 0) {
      digits.insert(0, 1, '1');
      ++point;
    }
  }
  std::string whole = digits.substr(0, static_cast<size_t>(point));
  size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? "0" : whole.substr(first);
  if (decimals <= 0) return whole;
  return whole + "." + digits.substr(static_cast<size_t>(point));
}

std::string FormatGeneral(double value) {
  if (value == 0) return "0";
  double magnitude = std::fabs(value);
  int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
  std::string sign = value < 0 ? "-" : "";
  // A standard-width column shows about 11 characters; beyond that, scientific.
  if (exponent >= 11 || exponent <= -10) {
    double mantissa = magnitude / std::pow(10.0, exponent);
    std::string digits = RoundedDecimal(mantissa, 5);
    if (digits.rfind("10", 0) == 0) {
      ++exponent;
      digits = RoundedDecimal(magnitude / std::pow(10.0, exponent), 5);
    }
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return sign + digits + tail;
  }
  for (int decimals = 10; decimals >= 0; --decimals) {
    std::string text = RoundedDecimal(magnitude, decimals);
    if (text.find('.') != std::string::npos) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
    if (sign.size() + text.size() <= 11) return text == "0" ? text : sign + text;
  }
  return sign + RoundedDecimal(magnitude, 0);
}

std::string FormatCellText(const CellValue& value, std::string_view code, bool date1904) {
  if (value.IsEmpty()) return {};
  if (value.IsBool()) return value.Bool() ? "TRUE" : "FALSE";
  if (value.IsError()) return value.Error().code;
  std::vector<FormatSection> sections = SplitSections(code);
  if (value.IsText()) {
    const FormatSection* text_section = nullptr;
    if (sections.size() >= 4) {
      text_section = &sections[3];
    } else if (sections.size() == 1 && sections[0].has_text) {
      text_section = &sections[0];
    }
    return text_section ? ApplyTextSection(*text_section, value.Text()) : value.Text();
  }
  double number = value.Number();
  if (sections.empty() ||
      (sections.size() == 1 && sections[0].general && sections[0].tokens.size() == 1))
    return FormatGeneral(number);  // the sign counts toward General's width
  const FormatSection* section = &sections[0];
  bool negative = number < 0;
  bool prefix_minus = negative;
  if (negative && sections.size() >= 2) {
    section = &sections[1];
    prefix_minus = false;
    number = -number;
  } else if (number == 0 && sections.size() >= 3) {
    section = &sections[2];
  }
  if (section->has_text && !section->has_number && !section->is_date && !section->general)
    return FormatGeneral(value.Number());
  std::string out = section->is_date ? ApplyDateSection(*section, number, date1904)
                                     : ApplyNumberSection(*section, std::fabs(number));
  if (prefix_minus && !section->is_date && out.find_first_of("123456789") != std::string::npos)
    out.insert(out.begin(), '-');
  return out;
}

}  // namespace tsumiki::workbook

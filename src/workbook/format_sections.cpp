#include "workbook/format_sections.h"

#include <cctype>
#include <cmath>

#include "workbook/number_format.h"

namespace tsumiki::workbook {

namespace {

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
  if (at + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(text[at + i]) != Lower(word[i])) return false;
  return true;
}

void AddLiteral(FormatSection& section, std::string_view text) {
  if (!section.tokens.empty() && section.tokens.back().kind == FormatToken::kLiteral) {
    section.tokens.back().text += text;
  } else {
    section.tokens.push_back({FormatToken::kLiteral, std::string(text)});
  }
}

void Bracket(FormatSection& section, std::string_view inner) {
  std::string lower;
  for (char c : inner) lower += Lower(c);
  if (!lower.empty() && lower.find_first_not_of(lower[0]) == std::string::npos &&
      (lower[0] == 'h' || lower[0] == 'm' || lower[0] == 's')) {
    section.tokens.push_back({FormatToken::kDate, "[" + lower + "]"});
    section.is_date = true;
    return;
  }
  if (!inner.empty() && inner[0] == '$') {
    std::string_view symbol =
        inner.substr(1, inner.find('-') == std::string_view::npos ? std::string_view::npos
                                                                  : inner.find('-') - 1);
    if (!symbol.empty()) AddLiteral(section, symbol);
  }
}

FormatSection Tokenise(std::string_view code) {
  FormatSection section;
  for (size_t i = 0; i < code.size();) {
    char c = code[i];
    char lower = Lower(c);
    if (c == '"') {
      size_t end = code.find('"', i + 1);
      if (end == std::string_view::npos) end = code.size();
      AddLiteral(section, code.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '\\' || c == '_' || c == '*') {
      size_t length = i + 1 < code.size() ? Utf8Length(static_cast<unsigned char>(code[i + 1])) : 0;
      if (c == '\\') AddLiteral(section, code.substr(i + 1, length));
      if (c == '_') AddLiteral(section, " ");
      i += 1 + length;
    } else if (c == '[') {
      size_t end = code.find(']', i);
      if (end == std::string_view::npos) end = code.size();
      Bracket(section, code.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (StartsWithNoCase(code, i, "general")) {
      section.tokens.push_back({FormatToken::kGeneral, {}});
      section.general = true;
      i += 7;
    } else if (c == '0' || c == '#' || c == '?') {
      section.tokens.push_back({FormatToken::kDigit, std::string(1, c)});
      section.has_number = true;
      ++i;
    } else if (c == '.') {
      section.tokens.push_back({FormatToken::kPoint, "."});
      ++i;
    } else if (c == ',') {
      section.tokens.push_back({FormatToken::kComma, ","});
      ++i;
    } else if (c == '%') {
      section.tokens.push_back({FormatToken::kPercent, "%"});
      ++i;
    } else if (c == '@') {
      section.tokens.push_back({FormatToken::kText, "@"});
      section.has_text = true;
      ++i;
    } else if (lower == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
      section.tokens.push_back({FormatToken::kExponent, std::string(1, code[i + 1])});
      i += 2;
    } else if (StartsWithNoCase(code, i, "am/pm") || StartsWithNoCase(code, i, "a/p")) {
      size_t length = StartsWithNoCase(code, i, "am/pm") ? 5 : 3;
      section.tokens.push_back({FormatToken::kAmPm, std::string(code.substr(i, length))});
      section.is_date = true;
      i += length;
    } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's' ||
               lower == 'g' || lower == 'e' || (lower == 'a' && StartsWithNoCase(code, i, "aaa"))) {
      size_t end = i;
      while (end < code.size() && Lower(code[end]) == lower) ++end;
      section.tokens.push_back({FormatToken::kDate, std::string(end - i, lower)});
      section.is_date = true;
      i = end;
    } else {
      size_t length = Utf8Length(static_cast<unsigned char>(c));
      AddLiteral(section, code.substr(i, length));
      i += length;
    }
  }
  return section;
}

}  // namespace

std::vector<FormatSection> SplitSections(std::string_view code) {
  std::vector<FormatSection> sections;
  size_t start = 0;
  bool quoted = false;
  bool bracket = false;
  for (size_t i = 0; i <= code.size(); ++i) {
    char c = i < code.size() ? code[i] : ';';
    if (i == code.size()) {
      sections.push_back(Tokenise(code.substr(start)));
      break;
    }
    if (c == '\\' && !quoted) {
      ++i;
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (c == '[' && !quoted) bracket = true;
    if (c == ']' && !quoted) bracket = false;
    if (c == ';' && !quoted && !bracket) {
      sections.push_back(Tokenise(code.substr(start, i - start)));
      start = i + 1;
    }
  }
  return sections;
}

std::string ApplyTextSection(const FormatSection& section, const std::string& text) {
  std::string out;
  for (const auto& token : section.tokens) {
    if (token.kind == FormatToken::kText) out += text;
    if (token.kind == FormatToken::kLiteral) out += token.text;
  }
  return out;
}

std::string ApplyNumberSection(const FormatSection& section, double magnitude) {
  const auto& tokens = section.tokens;
  if (section.general) {
    std::string out;
    for (const auto& token : tokens) {
      if (token.kind == FormatToken::kGeneral) out += FormatGeneral(magnitude);
      if (token.kind == FormatToken::kLiteral) out += token.text;
    }
    return out;
  }
  // Where the integer, fraction and exponent placeholders are.
  int integer_digits = 0, integer_zeros = 0, fraction_digits = 0, exponent_digits = 0;
  bool seen_point = false, seen_exponent = false, grouping = false;
  int scale_commas = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const auto& token = tokens[i];
    if (token.kind == FormatToken::kPercent) magnitude *= 100;
    if (token.kind == FormatToken::kPoint && !seen_exponent) seen_point = true;
    if (token.kind == FormatToken::kExponent) seen_exponent = true;
    if (token.kind == FormatToken::kComma && !seen_point && !seen_exponent) {
      bool digit_after = false;
      for (size_t j = i + 1; j < tokens.size() && tokens[j].kind != FormatToken::kPoint; ++j)
        if (tokens[j].kind == FormatToken::kDigit) digit_after = true;
      if (digit_after && integer_digits > 0) {
        grouping = true;
      } else if (integer_digits > 0) {
        ++scale_commas;
      }
    }
    if (token.kind != FormatToken::kDigit) continue;
    if (seen_exponent) {
      ++exponent_digits;
    } else if (seen_point) {
      ++fraction_digits;
    } else {
      ++integer_digits;
      if (token.text == "0") ++integer_zeros;
    }
  }
  for (int i = 0; i < scale_commas; ++i) magnitude /= 1000;
  int exponent = 0;
  if (seen_exponent && magnitude > 0) {
    int step = integer_digits > 1 ? integer_digits : 1;
    int log = static_cast<int>(std::floor(std::log10(magnitude)));
    exponent = integer_digits > 1
                   ? (log >= 0 ? log / step * step : -((-log + step - 1) / step) * step)
                   : log;
    magnitude /= std::pow(10.0, exponent);
  }
  std::string rounded = RoundedDecimal(magnitude, fraction_digits);
  size_t point = rounded.find('.');
  std::string whole = rounded.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : rounded.substr(point + 1);
  if (whole == "0" && integer_zeros == 0) whole.clear();
  if (static_cast<int>(whole.size()) < integer_zeros)
    whole.insert(0, static_cast<size_t>(integer_zeros) - whole.size(), '0');
  if (grouping && whole.size() > 3) {
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
      whole.insert(whole.begin() + i, ',');
  }
  // Optional fraction placeholders ('#') drop trailing zeros, '?' shows a blank.
  std::vector<std::string> fraction_out;
  {
    size_t k = 0;
    for (const auto& token : tokens) {
      if (token.kind == FormatToken::kExponent) break;
      if (token.kind != FormatToken::kDigit) continue;
      if (k >= static_cast<size_t>(integer_digits) + fraction.size()) break;
      if (k >= static_cast<size_t>(integer_digits))
        fraction_out.push_back(std::string(1, fraction[k - static_cast<size_t>(integer_digits)]));
      ++k;
    }
    std::vector<char> kinds;
    size_t f = 0;
    seen_point = false;
    for (const auto& token : tokens) {
      if (token.kind == FormatToken::kPoint) seen_point = true;
      if (token.kind == FormatToken::kExponent) break;
      if (seen_point && token.kind == FormatToken::kDigit && f < fraction_out.size()) {
        kinds.push_back(token.text[0]);
        ++f;
      }
    }
    for (size_t i = fraction_out.size(); i > 0; --i) {
      if (fraction_out[i - 1] != "0" || kinds[i - 1] == '0') break;
      fraction_out[i - 1] = kinds[i - 1] == '?' ? " " : "";
    }
  }
  std::string out;
  bool integer_done = false;
  size_t fraction_index = 0;
  int exponent_seen = 0;
  bool in_exponent = false;
  seen_point = false;
  for (const auto& token : tokens) {
    switch (token.kind) {
      case FormatToken::kLiteral:
        out += token.text;
        break;
      case FormatToken::kPercent:
        out += '%';
        break;
      case FormatToken::kPoint:
        if (!in_exponent) seen_point = true;
        out += '.';
        break;
      case FormatToken::kExponent: {
        in_exponent = true;
        out += 'E';
        if (exponent < 0) {
          out += '-';
        } else if (token.text == "+") {
          out += '+';
        }
        std::string digits = std::to_string(std::abs(exponent));
        if (static_cast<int>(digits.size()) < exponent_digits)
          digits.insert(0, static_cast<size_t>(exponent_digits) - digits.size(), '0');
        out += digits;
        break;
      }
      case FormatToken::kDigit:
        if (in_exponent) {
          ++exponent_seen;
        } else if (!seen_point) {
          if (!integer_done) out += whole;
          integer_done = true;
        } else if (fraction_index < fraction_out.size()) {
          out += fraction_out[fraction_index++];
        }
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace tsumiki::workbook

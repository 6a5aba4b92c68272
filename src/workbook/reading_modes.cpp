#include "workbook/reading_modes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tsumiki::workbook {

namespace {

// Details of the conversion failures, shown in brackets after the place.
constexpr std::string_view kNotNumericDetail = "は数値ではありません";
constexpr std::string_view kOutOfRangeDetail = "は扱える範囲を超える数値です";
constexpr std::string_view kErrorValueDetail = "セルがエラー値です";

[[noreturn]] void Fail(const WorkbookError::Place& place, std::string detail) {
  throw WorkbookError(WorkbookError::Kind::kBadValue, place, std::move(detail));
}

std::string Quoted(std::string_view text) {
  return "「" + std::string(text) + "」";
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsValBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Copies the number at the start of `text` into a form std::from_chars reads:
// sign, digits, point, exponent with 'e'. `skip_blanks` drops Val's blanks on the
// way. Returns the position where reading stopped and whether a digit was seen.
struct Scan {
  std::string number;
  std::size_t end = 0;
  bool has_digits = false;
};

Scan ScanNumber(std::string_view text, bool skip_blanks) {
  Scan scan;
  std::size_t i = 0;
  auto skip = [&] {
    while (skip_blanks && i < text.size() && IsValBlank(text[i])) ++i;
  };
  skip();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') scan.number += '-';
    ++i;
  }
  bool seen_point = false;
  for (skip(); i < text.size(); ++i, skip()) {
    if (i >= text.size()) break;
    const char c = text[i];
    if (IsDigit(c)) {
      scan.number += c;
      scan.has_digits = true;
    } else if (c == '.' && !seen_point) {
      scan.number += c;
      seen_point = true;
    } else {
      break;
    }
  }
  scan.end = i;
  if (!scan.has_digits || i >= text.size()) return scan;
  const char e = text[i];
  if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return scan;
  // The exponent counts only when digits follow; "1e" and "1e+" read as 1.
  std::size_t j = i + 1;
  std::string exponent = "e";
  auto skip_j = [&] {
    while (skip_blanks && j < text.size() && IsValBlank(text[j])) ++j;
  };
  skip_j();
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
    exponent += text[j];
    ++j;
  }
  bool exponent_digits = false;
  for (skip_j(); j < text.size() && IsDigit(text[j]); ++j, skip_j()) {
    exponent += text[j];
    exponent_digits = true;
  }
  if (exponent_digits) {
    scan.number += exponent;
    scan.end = j;
  }
  return scan;
}

double Parse(const Scan& scan, std::string_view source, const WorkbookError::Place& place) {
  double value = 0;
  const char* first = scan.number.data();
  const char* last = first + scan.number.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Tiny magnitudes underflow to 0 harmlessly; only overflow is an error.
    const std::size_t e = scan.number.find('e');
    if (e != std::string::npos && scan.number.find('-', e) != std::string::npos) return 0.0;
    Fail(place, Quoted(source) + std::string(kOutOfRangeDetail));
  }
  if (ec != std::errc() || ptr != last)
    Fail(place, Quoted(source) + std::string(kNotNumericDetail));
  return value == 0.0 ? 0.0 : value;  // no negative zero
}

// A whole text that is a number (blanks around it allowed), as a conversion of a
// text value into a number accepts it.
double StrictNumber(std::string_view text, const WorkbookError::Place& place) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  const std::string_view body = text.substr(first, last - first);
  if (body.empty()) return 0.0;
  const Scan scan = ScanNumber(body, false);
  if (!scan.has_digits || scan.end != body.size()) {
    Fail(place, Quoted(text) + std::string(kNotNumericDetail));
  }
  return Parse(scan, text, place);
}

double NumberOf(const CellValue& value, const WorkbookError::Place& place) {
  if (value.IsEmpty()) return 0.0;
  if (value.IsNumber()) return value.Number();
  if (value.IsBool()) return value.Bool() ? -1.0 : 0.0;
  if (value.IsText()) return StrictNumber(value.Text(), place);
  Fail(place, std::string(kErrorValueDetail) + Quoted(value.Error().code));
}

}  // namespace

double LeadingNumber(std::string_view text, const WorkbookError::Place& place) {
  const Scan scan = ScanNumber(text, true);
  if (!scan.has_digits) return 0.0;
  return Parse(scan, text, place);
}

int RoundHalfEven(double value, const WorkbookError::Place& place) {
  if (!std::isfinite(value)) Fail(place, std::string(kOutOfRangeDetail));
  double rounded = std::round(value);  // halves away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
  if (rounded < static_cast<double>(std::numeric_limits<int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<int>::max())) {
    Fail(place, Quoted(ValueToText(value)) + std::string(kOutOfRangeDetail));
  }
  return static_cast<int>(rounded);
}

std::string ValueToText(const CellValue& value) {
  if (value.IsEmpty()) return {};
  if (value.IsText()) return value.Text();
  if (value.IsBool()) return value.Bool() ? "True" : "False";
  if (value.IsError()) return value.Error().code;
  const double number = value.Number();
  if (number == 0.0 || !std::isfinite(number)) return "0";
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                    std::chars_format::general, 15);
  std::string text(buffer.data(), result.ptr);
  for (char& c : text) {
    if (c == 'e') c = 'E';
  }
  return text;
}

int DisplayedTextToNumber(std::string_view displayed, const WorkbookError::Place& place) {
  return RoundHalfEven(LeadingNumber(displayed, place), place);
}

double ValueTextToDouble(const CellValue& value, const WorkbookError::Place& place) {
  if (value.IsError()) Fail(place, std::string(kErrorValueDetail) + Quoted(value.Error().code));
  return LeadingNumber(ValueToText(value), place);
}

int ValueTextToInt(const CellValue& value, const WorkbookError::Place& place) {
  return RoundHalfEven(ValueTextToDouble(value, place), place);
}

namespace {
float ToSingle(double number, const WorkbookError::Place& place) {
  if (std::fabs(number) > static_cast<double>(std::numeric_limits<float>::max())) {
    Fail(place, Quoted(ValueToText(number)) + std::string(kOutOfRangeDetail));
  }
  return static_cast<float>(number);
}
}  // namespace

float ValueTextToSingle(const CellValue& value, const WorkbookError::Place& place) {
  return ToSingle(ValueTextToDouble(value, place), place);
}

int ValueToInt(const CellValue& value, const WorkbookError::Place& place) {
  return RoundHalfEven(NumberOf(value, place), place);
}

float ValueToSingle(const CellValue& value, const WorkbookError::Place& place) {
  return ToSingle(NumberOf(value, place), place);
}

bool EqualsTrue(const CellValue& value) {
  return value.IsBool() && value.Bool();
}

bool EqualsFalse(const CellValue& value) {
  return value.IsBool() && !value.Bool();
}

}  // namespace tsumiki::workbook

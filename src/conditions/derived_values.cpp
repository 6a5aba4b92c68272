#include "conditions/derived_values.h"

#include <charconv>
#include <cmath>

namespace tsumiki::layout {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

}  // namespace

bool IsBlank(const workbook::CellValue& value) {
  return value.IsEmpty() || (value.IsText() && value.Text().empty());
}

std::string ValueText(const workbook::CellValue& value) {
  if (value.IsText()) return value.Text();
  if (value.IsBool()) return value.Bool() ? "TRUE" : "FALSE";
  if (value.IsError()) return value.Error().code;
  if (value.IsNumber()) {
    const double number = value.Number();
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
  }
  return {};
}

std::optional<double> AsNumber(const workbook::CellValue& value) {
  if (value.IsNumber()) return value.Number();
  if (!value.IsText()) return std::nullopt;
  const std::string text = TrimSpaces(value.Text());
  if (text.empty()) return std::nullopt;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (*first == '+') ++first;
  double number = 0;
  const auto result = std::from_chars(first, last, number, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != last || !std::isfinite(number)) {
    return std::nullopt;
  }
  return number;
}

std::string TrimSpaces(std::string_view text) {
  for (;;) {
    if (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                          text.front() == '\n')) {
      text.remove_prefix(1);
    } else if (text.starts_with(kIdeographicSpace)) {
      text.remove_prefix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  for (;;) {
    if (!text.empty() &&
        (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
      text.remove_suffix(1);
    } else if (text.ends_with(kIdeographicSpace)) {
      text.remove_suffix(kIdeographicSpace.size());
    } else {
      break;
    }
  }
  return std::string(text);
}

}  // namespace tsumiki::layout

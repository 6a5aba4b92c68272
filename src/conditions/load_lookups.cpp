#include "conditions/load_lookups.h"

#include <charconv>
#include <cmath>

namespace tsumiki {

int AbbrevToType(const ConditionModel& model, std::string_view text) {
  int found = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (model.TypeAbbrev(t) == text) found = t;
  }
  if (text == "*") found = kAnyType;
  return found;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  double value = 0;
  const char* first = text.data() + i;
  const char* last = text.data() + text.size();
  // from_chars rejects a leading sign, which was consumed above, and never
  // accepts hexadecimal or "inf" in the general format, as wanted here.
  const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return negative ? -value : value;
}

int MemberRowOfNumber(const ConditionModel& model, int n) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (LeadingNumber(model.MemberInfo(m, 1)) == static_cast<double>(n)) return m;
  }
  return 0;
}

std::string CellAddress(int row, int column) {
  std::string letters;
  for (int c = column; c > 0; c = (c - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  }
  return letters + std::to_string(row);
}

}  // namespace tsumiki

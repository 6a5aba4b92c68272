#include "workbook/a1_reference.h"

#include <cctype>

namespace tsumiki::workbook {

namespace {

bool IsAsciiAlpha(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<int> ParseRow(std::string_view digits) {
  if (digits.empty() || digits.size() > 7) return std::nullopt;
  int row = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    row = row * 10 + (c - '0');
  }
  if (row < 1 || row > kMaxRows) return std::nullopt;
  return row;
}

// One end of an area: "$B$3", "B", "3"; missing parts stay unset.
struct Corner {
  std::optional<int> row;
  std::optional<int> column;
};

std::optional<Corner> ParseCorner(std::string_view text) {
  Corner corner;
  size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  size_t letters_start = i;
  while (i < text.size() && IsAsciiAlpha(text[i])) ++i;
  if (i > letters_start) {
    corner.column = ParseColumn(text.substr(letters_start, i - letters_start));
    if (!corner.column) return std::nullopt;
  }
  if (i < text.size() && text[i] == '$') {
    if (!corner.column) return std::nullopt;
    ++i;
  }
  if (i < text.size()) {
    corner.row = ParseRow(text.substr(i));
    if (!corner.row) return std::nullopt;
  }
  if (!corner.row && !corner.column) return std::nullopt;
  return corner;
}

}  // namespace

std::optional<int> ParseColumn(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int column = 0;
  for (char c : letters) {
    if (!IsAsciiAlpha(c)) return std::nullopt;
    column = column * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
  }
  if (column > kMaxColumns) return std::nullopt;
  return column;
}

std::string ColumnLetters(int column) {
  std::string letters;
  while (column > 0) {
    int rest = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rest));
    column = (column - 1) / 26;
  }
  return letters;
}

std::string CellName(int row, int column) {
  return ColumnLetters(column) + std::to_string(row);
}

std::optional<Area> ParseArea(std::string_view a1) {
  size_t colon = a1.find(':');
  std::string_view first = a1.substr(0, colon);
  std::string_view second = colon == std::string_view::npos ? first : a1.substr(colon + 1);
  auto a = ParseCorner(first);
  auto b = ParseCorner(second);
  if (!a || !b) return std::nullopt;
  if (colon == std::string_view::npos && (!a->row || !a->column)) return std::nullopt;
  // A whole row ("$1:$2") or whole column ("A:C") needs both ends of the same kind.
  if (a->row.has_value() != b->row.has_value() || a->column.has_value() != b->column.has_value())
    return std::nullopt;
  Area area;
  area.top = a->row.value_or(1);
  area.bottom = b->row.value_or(kMaxRows);
  area.left = a->column.value_or(1);
  area.right = b->column.value_or(kMaxColumns);
  if (area.top > area.bottom) std::swap(area.top, area.bottom);
  if (area.left > area.right) std::swap(area.left, area.right);
  return area;
}

std::optional<SheetReference> SplitSheetReference(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '=') text.remove_prefix(1);
  SheetReference ref;
  size_t rest = 0;
  if (!text.empty() && text.front() == '\'') {
    size_t i = 1;
    for (;; ++i) {
      if (i >= text.size()) return std::nullopt;
      if (text[i] == '\'') {
        if (i + 1 < text.size() && text[i + 1] == '\'') {
          ref.sheet += '\'';
          ++i;
          continue;
        }
        break;
      }
      ref.sheet += text[i];
    }
    if (i + 1 >= text.size() || text[i + 1] != '!') return std::nullopt;
    rest = i + 2;
  } else {
    size_t bang = text.find('!');
    if (bang != std::string_view::npos) {
      ref.sheet = std::string(text.substr(0, bang));
      rest = bang + 1;
      // External ("[1]Sheet") and 3-D ("S1:S3") references are not plain areas.
      if (ref.sheet.empty() || ref.sheet.find_first_of("[]:") != std::string::npos)
        return std::nullopt;
    }
  }
  ref.area = std::string(text.substr(rest));
  if (!ParseArea(ref.area)) return std::nullopt;
  return ref;
}

std::string QuoteSheetName(std::string_view sheet) {
  bool plain = !sheet.empty() && !IsDigit(sheet.front());
  for (char c : sheet) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80 && !IsAsciiAlpha(c) && !IsDigit(c) && c != '_') plain = false;
  }
  // Japanese punctuation such as "・" also needs quotes; quoting is always valid.
  if (plain) {
    for (unsigned char u : sheet)
      if (u >= 0x80) plain = false;
  }
  if (plain) return std::string(sheet);
  std::string out = "'";
  for (char c : sheet) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace tsumiki::workbook

#include "conditions/layout_view.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "conditions/derived_calendar.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"
#include "workbook/color_palette.h"

namespace tsumiki::layout {
namespace {

constexpr std::string_view kRestMark = "・";
constexpr std::string_view kNumberHead = "番号";
constexpr std::string_view kNameHead = "氏名";
constexpr std::string_view kAnsiReset = "\x1b[0m";

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::string Pad(std::string_view text, int width) {
  return std::string(text) +
         std::string(static_cast<std::size_t>(std::max(0, width - DisplayWidth(text))), ' ');
}

std::optional<int> WholeNumber(const workbook::Workbook& book, const NameSpec& name_spec) {
  if (!Has(book, name_spec)) return std::nullopt;
  const auto number = AsNumber(book.ReadCell(Range(book, name_spec), 1, 1));
  if (!number) return std::nullopt;
  return static_cast<int>(std::lround(*number));
}

// Foreground black on the type's fill, or nothing for no fill.
std::string AnsiFill(int colour_index) {
  if (colour_index < 1 || colour_index > 56) return {};
  const std::uint32_t rgb = workbook::DefaultPalette()[static_cast<std::size_t>(colour_index - 1)];
  return "\x1b[30;48;2;" + std::to_string((rgb >> 16) & 0xFF) + ";" +
         std::to_string((rgb >> 8) & 0xFF) + ";" + std::to_string(rgb & 0xFF) + "m";
}

}  // namespace

int DisplayWidth(std::string_view text) {
  int width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    char32_t code = c;
    std::size_t length = 1;
    if (c >= 0xF0) {
      length = 4;
      code = c & 0x07;
    } else if (c >= 0xE0) {
      length = 3;
      code = c & 0x0F;
    } else if (c >= 0xC0) {
      length = 2;
      code = c & 0x1F;
    }
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    width += IsWide(code) ? 2 : 1;
    i += length;
  }
  return width;
}

std::string RosterText(const workbook::Workbook& book, bool colour) {
  const workbook::CellRange table = Range(book, kTimeTable);
  const int members = std::clamp(WholeNumber(book, kMemberCnt).value_or(0), 0, table.Rows());
  const auto day_count = WholeNumber(book, kDayCnt);
  const int days = std::clamp(day_count.value_or(table.Columns()), 0, table.Columns());
  std::optional<CivilDate> start;
  if (const auto y = WholeNumber(book, kYear), m = WholeNumber(book, kMonth),
      b = WholeNumber(book, kBaseStartDay);
      y && m && b) {
    start = PeriodStart(*y, *m, *b);
  }

  // Heads of the day columns.
  std::vector<std::string> dates(static_cast<std::size_t>(days));
  std::vector<std::string> weekdays(static_cast<std::size_t>(days));
  for (int d = 1; d <= days; ++d) {
    if (start) {
      const CivilDate date = AddDays(*start, d - 1);
      dates[static_cast<std::size_t>(d - 1)] =
          std::to_string(date.month) + "/" + std::to_string(date.day);
      weekdays[static_cast<std::size_t>(d - 1)] = std::string(WeekdayName(Weekday(date)));
    } else {
      dates[static_cast<std::size_t>(d - 1)] = std::to_string(d);
    }
  }

  // Duty colours from the 略称 cells (later rows win, as in decoding).
  std::vector<std::pair<std::string, int>> fills;
  if (colour) {
    const workbook::CellRange abbrevs = Range(book, kTypeAbbrev);
    const int types = std::clamp(WholeNumber(book, kTypeCnt).value_or(0), 0, abbrevs.Rows());
    for (int t = 1; t <= types; ++t) {
      fills.emplace_back(ValueText(book.ReadCell(abbrevs, t, 1)),
                         book.InteriorColorIndex(abbrevs.sheet, abbrevs.top + t - 1, abbrevs.left));
    }
  }

  const workbook::CellRange list = Range(book, kMemberList);
  const workbook::Table people = book.ReadRange(list);
  const workbook::Table roster = book.ReadRange(table);
  auto cell = [](const workbook::Table& t, int r, int c) {
    return ValueText(t[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
  };

  int number_width = DisplayWidth(kNumberHead);
  int name_width = DisplayWidth(kNameHead);
  for (int m = 0; m < std::min(members, list.Rows()); ++m) {
    number_width = std::max(number_width, DisplayWidth(cell(people, m, 0)));
    name_width = std::max(name_width, DisplayWidth(cell(people, m, 1)));
  }
  std::vector<int> widths(static_cast<std::size_t>(days), DisplayWidth(kRestMark));
  for (int d = 0; d < days; ++d) {
    int& w = widths[static_cast<std::size_t>(d)];
    w = std::max({w, DisplayWidth(dates[static_cast<std::size_t>(d)]),
                  DisplayWidth(weekdays[static_cast<std::size_t>(d)])});
    for (int m = 0; m < members; ++m) w = std::max(w, DisplayWidth(cell(roster, m, d)));
  }

  std::string out;
  if (start && days > 0) {
    const CivilDate last = AddDays(*start, days - 1);
    out += std::to_string(start->year) + "年" + std::to_string(start->month) + "月" + "（" +
           std::to_string(start->month) + "/" + std::to_string(start->day) + "〜" +
           std::to_string(last.month) + "/" + std::to_string(last.day) + "）\n";
  }
  auto head_line = [&](std::string_view first, std::string_view second,
                       const std::vector<std::string>& heads) {
    std::string line = Pad(first, number_width) + " " + Pad(second, name_width);
    for (int d = 0; d < days; ++d) {
      line += " " + Pad(heads[static_cast<std::size_t>(d)], widths[static_cast<std::size_t>(d)]);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  };
  head_line(kNumberHead, kNameHead, dates);
  if (start) head_line("", "", weekdays);
  for (int m = 0; m < members; ++m) {
    std::string line = Pad(m < list.Rows() ? cell(people, m, 0) : "", number_width) + " " +
                       Pad(m < list.Rows() ? cell(people, m, 1) : "", name_width);
    for (int d = 0; d < days; ++d) {
      const std::string duty = cell(roster, m, d);
      const int width = widths[static_cast<std::size_t>(d)];
      line += " ";
      if (duty.empty()) {
        line += Pad(kRestMark, width);
        continue;
      }
      std::string fill;
      for (const auto& [abbrev, index] : fills) {
        if (abbrev == duty) fill = AnsiFill(index);
      }
      line += fill.empty() ? Pad(duty, width) : fill + Pad(duty, width) + std::string(kAnsiReset);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

}  // namespace tsumiki::layout

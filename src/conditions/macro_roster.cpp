#include "conditions/macro_roster.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "conditions/derived_calendar.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"

namespace tsumiki::layout {
namespace {

std::optional<int> WholeNumber(const workbook::Workbook& book, const NameSpec& name_spec) {
  if (!Has(book, name_spec)) return std::nullopt;
  const auto number = AsNumber(book.ReadCell(Range(book, name_spec), 1, 1));
  if (!number) return std::nullopt;
  return static_cast<int>(std::lround(*number));
}

// Day_Cnt as the recalculator left it; nullopt when the period is not valid.
std::optional<int> DayCount(const workbook::Workbook& book) {
  const auto days = WholeNumber(book, kDayCnt);
  if (!days || *days < 1) return std::nullopt;
  return days;
}

void SetFill(workbook::Workbook& book, int sheet, int row, int column, int colour) {
  if (book.InteriorColorIndex(sheet, row, column) != colour) {
    book.SetInteriorColorIndex(sheet, row, column, colour);
  }
}

}  // namespace

std::optional<Notice> ClearRosterFromStartDay(workbook::Workbook& book) {
  const auto day = WholeNumber(book, kStartDayOfMonth);
  const auto base = WholeNumber(book, kBaseStartDay);
  const auto year = WholeNumber(book, kYear);
  const auto month = WholeNumber(book, kMonth);
  const auto days = DayCount(book);
  const auto first = year && month && base ? PeriodStart(*year, *month, *base) : std::nullopt;
  // A day outside the period used to clear from day 1: the whole month lost.
  const int start = first && day && days ? StartDayIndex(*first, *days, *day) : 0;
  if (start < 1) {
    return Notice{.text = std::string(macro_text::kClearNoStartDay),
                  .title = std::string(macro_text::kClearTitle),
                  .icon = MsgIcon::kExclamation};
  }
  const workbook::CellRange table = Range(book, kTimeTable);
  if (start > table.Columns()) return std::nullopt;
  workbook::CellRange tail = table;
  tail.left = table.left + start - 1;
  book.WriteRange(tail, workbook::CellValue());
  for (int row = tail.top; row <= tail.bottom; ++row) {
    for (int column = tail.left; column <= tail.right; ++column) {
      SetFill(book, tail.sheet, row, column, workbook::kColorIndexNone);
    }
  }
  return std::nullopt;
}

std::optional<Notice> TransferLastDays(workbook::Workbook& book) {
  const auto days = DayCount(book);
  if (!days) {
    return Notice{.text = std::string(macro_text::kTransferNoDays),
                  .title = std::string(macro_text::kTransferTitle),
                  .icon = MsgIcon::kExclamation};
  }
  const workbook::CellRange table = Range(book, kTimeTable);
  const workbook::CellRange stored = Range(book, kPrevTail);
  const workbook::Table roster = book.ReadRange(table);
  const int width = stored.Columns();
  workbook::Table tail(static_cast<std::size_t>(stored.Rows()),
                       std::vector<workbook::CellValue>(static_cast<std::size_t>(width)));
  bool any = false;
  for (int m = 1; m <= std::min(stored.Rows(), table.Rows()); ++m) {
    for (int c = 1; c <= width; ++c) {
      const int day = *days - width + c;
      if (day < 1 || day > table.Columns()) continue;
      const auto& value =
          roster[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(day - 1)];
      if (IsBlank(value)) continue;
      tail[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(c - 1)] = value;
      any = true;
    }
  }
  // An empty grid means nothing was built (or it was cleared already): the stored
  // tail is the only copy of last month's end, so keep it.
  if (!any) return std::nullopt;
  book.WriteBlock(stored, tail);
  const workbook::CellRange month = Range(book, kPrevMonth);
  book.WriteCell(month, 1, 1, book.ReadCell(Range(book, kMonth), 1, 1));
  return std::nullopt;
}

DutyFills ReadDutyFills(const workbook::Workbook& book) {
  DutyFills colours;
  const workbook::CellRange abbrevs = Range(book, kTypeAbbrev);
  const int types = std::min(WholeNumber(book, kTypeCnt).value_or(0), abbrevs.Rows());
  for (int t = 1; t <= types; ++t) {
    colours.emplace_back(ValueText(book.ReadCell(abbrevs, t, 1)),
                         book.InteriorColorIndex(abbrevs.sheet, abbrevs.top + t - 1, abbrevs.left));
  }
  return colours;
}

int FillOfDuty(const DutyFills& fills, std::string_view text) {
  int colour = workbook::kColorIndexNone;
  if (text.empty()) return colour;
  for (const auto& [abbrev, fill] : fills) {  // later rows win, as in decoding
    if (abbrev == text) colour = fill;
  }
  return colour;
}

std::optional<Notice> ColourRoster(workbook::Workbook& book) {
  const DutyFills colours = ReadDutyFills(book);
  const workbook::CellRange table = Range(book, kTimeTable);
  const workbook::Table roster = book.ReadRange(table);
  for (int r = 0; r < table.Rows(); ++r) {
    for (int c = 0; c < table.Columns(); ++c) {
      const std::string text =
          ValueText(roster[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
      SetFill(book, table.sheet, table.top + r, table.left + c, FillOfDuty(colours, text));
    }
  }
  return std::nullopt;
}

bool ColourRosterCell(workbook::Workbook& book, int sheet, int row, int column) {
  if (!Has(book, kTimeTable) || !Has(book, kTypeAbbrev)) return false;
  const workbook::CellRange table = Range(book, kTimeTable);
  if (sheet != table.sheet || row < table.top || row > table.bottom || column < table.left ||
      column > table.right) {
    return false;
  }
  const std::string text = ValueText(book.Value(sheet, row, column));
  SetFill(book, sheet, row, column, FillOfDuty(ReadDutyFills(book), text));
  return true;
}

}  // namespace tsumiki::layout

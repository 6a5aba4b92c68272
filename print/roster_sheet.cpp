#include "print/roster_sheet.h"

#include <iterator>
#include <optional>

#include "print/print_texts.h"
#include "workbook/color_palette.h"

namespace tsumiki {
namespace {

namespace texts = print_texts;

Rgb Fill(int colour_index) {
  if (colour_index < 1 || colour_index > 56) return kWhite;
  return workbook::DefaultPalette()[static_cast<std::size_t>(colour_index - 1)];
}

// Duty t's full name and colour, as the legend and the count rows show them.
std::string DutyName(const MonthLabels& labels, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  return index < labels.duty_names.size() ? labels.duty_names[index] : std::string();
}
Rgb DutyFill(const MonthLabels& labels, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  return index < labels.duty_fills.size() ? Fill(labels.duty_fills[index]) : kWhite;
}

constexpr Rgb kHeadFill = 0xCCFFFF;
constexpr Rgb kSumFill = 0xF2F2F2;
constexpr double kNumberWidth = 1.6 * kDayWidth;
constexpr double kNameWidth = 4.5 * kDayWidth;
constexpr double kSumWidth = 1.8 * kDayWidth;

// Saturday and Sunday of day d, as the sheet's weekday row names them.
std::optional<Rgb> WeekendShade(const MonthLabels& labels, int day) {
  if (!labels.first_date) return std::nullopt;
  const int weekday = layout::Weekday(layout::AddDays(*labels.first_date, day - 1));
  if (weekday == 6) return kSaturdayShade;
  if (weekday == 0) return kSundayShade;
  return std::nullopt;
}

Rgb DayFill(const MonthLabels& labels, int day, Rgb plain) {
  return WeekendShade(labels, day).value_or(plain);
}

int TotalColumns(const ConditionModel& model) {
  return model.TypeCount + static_cast<int>(std::size(texts::kSumHeads));
}

// The empty cells under the totals' heads, in a row that has no totals.
void AppendBlankTotals(const ConditionModel& model, Rgb fill, std::vector<PageCell>& row) {
  for (int c = 0; c < TotalColumns(model); ++c) {
    row.push_back({{}, fill, kBlack, c < model.TypeCount ? kDayWidth : kSumWidth});
  }
}

std::vector<PageCell> HeadRow(const ConditionModel& model, const MonthLabels& labels, bool dates) {
  std::vector<PageCell> row{
      {dates ? std::string(texts::kNumberHead) : std::string(), kHeadFill, kBlack, kNumberWidth},
      {dates ? std::string(texts::kNameHead) : std::string(), kHeadFill, kBlack, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    // The day of the month alone: the title names the month.
    const std::string day = std::to_string(
        labels.first_date ? layout::AddDays(*labels.first_date, d - 1).day : d);
    row.push_back({dates ? day : labels.WeekdayText(d), DayFill(labels, d, kHeadFill)});
  }
  if (!dates) {
    AppendBlankTotals(model, kHeadFill, row);
    return row;
  }
  for (int t = 1; t <= model.TypeCount; ++t) row.push_back({model.TypeAbbrev(t), kHeadFill});
  for (const std::string_view head : texts::kSumHeads) {
    row.push_back({std::string(head), kHeadFill, kBlack, kSumWidth});
  }
  return row;
}

std::vector<PageCell> MemberRow(const ConditionModel& model, const MonthLabels& labels,
                                const MemberTotals& sum, int m) {
  std::vector<PageCell> row{{model.MemberInfo(m, 1), kWhite, kBlack, kNumberWidth},
                            {model.MemberInfo(m, 2), kWhite, kBlack, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    const int code = model.Roster(m, d);
    const bool duty = code >= 1 && code <= model.TypeCount;
    PageCell cell{duty               ? model.TypeAbbrev(code)
                  : code == kRestDay ? std::string()
                                     : "?",
                  DayFill(labels, d, kWhite)};
    if (duty) {
      const Rgb fill = DutyFill(labels, code);
      // A duty without a colour of its own keeps the weekend's shade.
      if (fill != kWhite) cell.fill = fill;
    }
    row.push_back(cell);
  }
  for (const int count : sum.duties) row.push_back({std::to_string(count), kSumFill});
  for (const int value :
       {sum.work_days, sum.target, sum.days_off, sum.single_work, sum.single_rest}) {
    row.push_back({std::to_string(value), kSumFill, kBlack, kSumWidth});
  }
  return row;
}

// Duty t's staff on each day, red where fewer than needed.
std::vector<PageCell> CountRow(const ConditionModel& model, const MonthLabels& labels,
                               const RosterTotals& totals, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  std::vector<PageCell> row{{std::string(texts::kStaffHead), kSumFill, kBlack, kNumberWidth},
                            {DutyName(labels, t), kSumFill, kBlack, kNameWidth}};
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    const int staff = day.staff[index];
    row.push_back({std::to_string(staff), DayFill(labels, d, kSumFill),
                   staff < day.need[index] ? kShortInk : kBlack});
  }
  AppendBlankTotals(model, kWhite, row);
  return row;
}

}  // namespace

RosterPage BuildRosterPage(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals) {
  RosterPage page;
  page.title = texts::kRosterTitle;
  if (labels.first_date) {
    page.title = std::to_string(labels.first_date->year) + std::string(texts::kYear) +
                 std::to_string(labels.first_date->month) + std::string(texts::kMonth) +
                 page.title;
  }
  page.rows.push_back(HeadRow(model, labels, true));
  page.rows.push_back(HeadRow(model, labels, false));
  for (int m = 1; m <= model.MemberCount; ++m) {
    page.rows.push_back(
        MemberRow(model, labels, totals.members[static_cast<std::size_t>(m - 1)], m));
  }
  if (totals.days.size() >= static_cast<std::size_t>(model.DayCount)) {
    for (int t = 1; t <= model.TypeCount; ++t)
      page.rows.push_back(CountRow(model, labels, totals, t));
  }
  for (int t = 1; t <= model.TypeCount; ++t) {
    page.legend.push_back({model.TypeAbbrev(t), DutyName(labels, t), DutyFill(labels, t)});
  }
  return page;
}

PrintedRoster BuildPrintedRoster(const ConditionModel& model, const MonthLabels& labels,
                                 const RosterTotals& totals, Paper paper) {
  return {paper, std::string(texts::kRosterTitle), {BuildRosterPage(model, labels, totals)}};
}

}  // namespace tsumiki

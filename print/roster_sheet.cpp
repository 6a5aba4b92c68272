#include "print/roster_sheet.h"

#include <iterator>
#include <optional>

#include "conditions/layout.h"
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
constexpr double kWishWidth = 2.4 * kDayWidth;

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

int TotalColumns(const ConditionModel& model, const RosterTotals& totals) {
  return model.TypeCount + static_cast<int>(std::size(texts::kSumHeads)) +
         (totals.has_wishes ? static_cast<int>(std::size(texts::kWishHeads)) : 0);
}

double TotalsWidth(int c, const ConditionModel& model) {
  if (c < model.TypeCount) return kDayWidth;
  return c < model.TypeCount + static_cast<int>(std::size(texts::kSumHeads)) ? kSumWidth
                                                                             : kWishWidth;
}

// The empty cells under the totals' heads, in a row that has no totals.
void AppendBlankTotals(const ConditionModel& model, const RosterTotals& totals, Rgb fill,
                       std::vector<PageCell>& row) {
  for (int c = 0; c < TotalColumns(model, totals); ++c)
    row.push_back({{}, fill, kBlack, TotalsWidth(c, model)});
}

// One cell as wide as the totals' heads together, holding `text`.
void AppendSpanningTotals(const ConditionModel& model, const RosterTotals& totals, std::string text,
                          std::vector<PageCell>& row) {
  double width = 0;
  for (int c = 0; c < TotalColumns(model, totals); ++c) width += TotalsWidth(c, model);
  row.push_back({std::move(text), kWhite, kBlack, width});
}

std::vector<PageCell> HeadRow(const ConditionModel& model, const MonthLabels& labels,
                              const RosterTotals& totals, bool dates) {
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
    AppendBlankTotals(model, totals, kHeadFill, row);
    return row;
  }
  for (int t = 1; t <= model.TypeCount; ++t) row.push_back({model.TypeAbbrev(t), kHeadFill});
  for (const std::string_view head : texts::kSumHeads) {
    row.push_back({std::string(head), kHeadFill, kBlack, kSumWidth});
  }
  if (totals.has_wishes) {
    for (const std::string_view head : texts::kWishHeads)
      row.push_back({std::string(head), kHeadFill, kBlack, kWishWidth});
  }
  return row;
}

std::vector<PageCell> MemberRow(const ConditionModel& model, const MonthLabels& labels,
                                const RosterTotals& totals, int m) {
  const MemberTotals& sum = totals.members[static_cast<std::size_t>(m - 1)];
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
  if (totals.has_wishes) {
    for (const int value : {sum.wishes_granted, sum.wishes_missed})
      row.push_back({std::to_string(value), kSumFill, kBlack, kWishWidth});
  }
  return row;
}

// The head of a row about duty t: what it counts, and the duty's name.
std::vector<PageCell> DutyRowHead(std::string_view head, const MonthLabels& labels, int t) {
  return {{std::string(head), kSumFill, kBlack, kNumberWidth},
          {DutyName(labels, t), kSumFill, kBlack, kNameWidth}};
}

// Duty t's staff on each day, red where fewer than needed.
std::vector<PageCell> CountRow(const ConditionModel& model, const MonthLabels& labels,
                               const RosterTotals& totals, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  std::vector<PageCell> row = DutyRowHead(texts::kStaffHead, labels, t);
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    const int staff = day.staff[index];
    row.push_back({std::to_string(staff), DayFill(labels, d, kSumFill),
                   staff < day.need[index] ? kShortInk : kBlack});
  }
  AppendBlankTotals(model, totals, kWhite, row);
  return row;
}

// Duty t's desired staffing on the days that have one, red where the month stays
// below it, and how many days reach it.
std::vector<PageCell> DesiredRow(const ConditionModel& model, const MonthLabels& labels,
                                 const RosterTotals& totals, int t) {
  const auto index = static_cast<std::size_t>(t - 1);
  std::vector<PageCell> row = DutyRowHead(texts::kDesiredHead, labels, t);
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    const int desired = day.desired[index];
    row.push_back({desired > 0 ? std::to_string(desired) : std::string(),
                   DayFill(labels, d, kSumFill),
                   desired > 0 && day.staff[index] < desired ? kShortInk : kBlack});
  }
  AppendSpanningTotals(
      model, totals,
      layout::Format(texts::kDesiredReached, {std::to_string(totals.desired_reached[index]),
                                              std::to_string(totals.desired_days[index])}),
      row);
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
  page.rows.push_back(HeadRow(model, labels, totals, true));
  page.rows.push_back(HeadRow(model, labels, totals, false));
  for (int m = 1; m <= model.MemberCount; ++m)
    page.rows.push_back(MemberRow(model, labels, totals, m));
  if (totals.days.size() >= static_cast<std::size_t>(model.DayCount)) {
    for (int t = 1; t <= model.TypeCount; ++t)
      page.rows.push_back(CountRow(model, labels, totals, t));
    for (int t = 1; t <= model.TypeCount && totals.has_desired; ++t) {
      if (totals.desired_days[static_cast<std::size_t>(t - 1)] > 0)
        page.rows.push_back(DesiredRow(model, labels, totals, t));
    }
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

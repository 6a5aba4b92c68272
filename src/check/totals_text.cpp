#include "check/totals_text.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "check/extra_texts.h"
#include "conditions/layout.h"
#include "conditions/layout_view.h"
#include "workbook/color_palette.h"

namespace tsumiki {
namespace {

using Row = std::vector<std::string>;

constexpr std::string_view kMemberHeading = "【職員別集計】";
constexpr std::string_view kDayHeading = "【日別人数】（人数/必要数、(-n) 不足、(+n) 過剰）";
constexpr std::string_view kLegendHeading = "【凡例】";

// Columns padded to their widest cell (double-width characters count two).
std::string Table(const std::vector<Row>& rows) {
  std::vector<int> widths;
  for (const Row& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], layout::DisplayWidth(row[c]));
    }
  }
  std::string out;
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += " ";
      line += row[c] +
              std::string(static_cast<std::size_t>(widths[c] - layout::DisplayWidth(row[c])), ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string StaffCell(int staff, int need) {
  std::string cell = std::to_string(staff) + "/" + std::to_string(need);
  if (staff < need) cell += "(-" + std::to_string(need - staff) + ")";
  if (staff > need) cell += "(+" + std::to_string(staff - need) + ")";
  return cell;
}

// Black on the ColorIndex fill, as the roster view shows the duties.
std::string OnFill(const std::string& text, int colour_index) {
  if (colour_index < 1 || colour_index > 56) return text;
  const std::uint32_t rgb = workbook::DefaultPalette()[static_cast<std::size_t>(colour_index - 1)];
  return "\x1b[30;48;2;" + std::to_string((rgb >> 16) & 0xFF) + ";" +
         std::to_string((rgb >> 8) & 0xFF) + ";" + std::to_string(rgb & 0xFF) + "m" + text +
         "\x1b[0m";
}

// Wishes per member and the days and duties that stay below the desired staffing.
std::string WishesAndDesired(const ConditionModel& model, const MonthLabels& labels,
                             const RosterTotals& totals) {
  std::vector<Row> members{{"番号", "氏名", std::string(extra_text::kWishesGranted),
                            std::string(extra_text::kWishesMissed)}};
  for (int m = 1; m <= model.MemberCount; ++m) {
    const MemberTotals& sum = totals.members[static_cast<std::size_t>(m - 1)];
    members.push_back({model.MemberInfo(m, 1), model.MemberInfo(m, 2),
                       std::to_string(sum.wishes_granted), std::to_string(sum.wishes_missed)});
  }
  std::vector<Row> short_days;
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    for (std::size_t t = 0; t < day.desired.size(); ++t) {
      if (day.desired[t] <= 0 || day.staff[t] >= day.desired[t]) continue;
      short_days.push_back({labels.DateText(d), labels.WeekdayText(d),
                            model.TypeAbbrev(static_cast<int>(t + 1)),
                            StaffCell(day.staff[t], day.desired[t])});
    }
  }
  const int wanted = std::accumulate(totals.desired_days.begin(), totals.desired_days.end(), 0);
  const int reached =
      std::accumulate(totals.desired_reached.begin(), totals.desired_reached.end(), 0);
  std::string out = "\n" + std::string(extra_text::kHeading) + "\n" + Table(members) +
                    layout::Format(extra_text::kDesiredReached,
                                   {std::to_string(reached), std::to_string(wanted)}) +
                    "\n";
  if (!short_days.empty())
    out += std::string(extra_text::kDesiredShortHead) + "\n" + Table(short_days);
  return out;
}

}  // namespace

std::string TotalsText(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals, bool colour) {
  const auto types = static_cast<std::size_t>(model.TypeCount);
  std::vector<Row> members{{"番号", "氏名"}};
  for (std::size_t t = 1; t <= types; ++t)
    members[0].push_back(model.TypeAbbrev(static_cast<int>(t)));
  for (const char* head : {"勤務日数", "目標", "休日数", "単勤", "単休"})
    members[0].push_back(head);
  for (int m = 1; m <= model.MemberCount; ++m) {
    const MemberTotals& sum = totals.members[static_cast<std::size_t>(m - 1)];
    Row row{model.MemberInfo(m, 1), model.MemberInfo(m, 2)};
    for (const int count : sum.duties) row.push_back(std::to_string(count));
    for (const int value :
         {sum.work_days, sum.target, sum.days_off, sum.single_work, sum.single_rest}) {
      row.push_back(std::to_string(value));
    }
    members.push_back(std::move(row));
  }

  std::vector<Row> days{{"日付", "曜日"}};
  for (std::size_t t = 1; t <= types; ++t) days[0].push_back(model.TypeAbbrev(static_cast<int>(t)));
  for (int d = 1; d <= model.DayCount; ++d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    Row row{labels.DateText(d), labels.WeekdayText(d)};
    for (std::size_t t = 0; t < types; ++t) row.push_back(StaffCell(day.staff[t], day.need[t]));
    days.push_back(std::move(row));
  }

  std::string legend;
  for (std::size_t t = 1; t <= types; ++t) {
    const std::string abbrev = model.TypeAbbrev(static_cast<int>(t));
    legend += (t > 1 ? "  " : "") + (colour ? OnFill(abbrev, labels.duty_fills[t - 1]) : abbrev) +
              " " + labels.duty_names[t - 1];
  }
  return std::string(kMemberHeading) + "\n" + Table(members) + "\n" + std::string(kDayHeading) +
         "\n" + Table(days) + "\n" + std::string(kLegendHeading) + "\n" + legend + "\n" +
         (model.Extra.HasSoft ? WishesAndDesired(model, labels, totals) : std::string());
}

}  // namespace tsumiki

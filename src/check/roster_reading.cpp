#include "check/roster_reading.h"

#include "check/rule_check.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/loader.h"

namespace tsumiki {

LoadResult ReadRosterAsItStands(EngineContext& ctx) {
  const auto grid = ctx.book.ReadGrid(layout::Range(ctx.book, layout::kTimeTable));
  LoadResult loaded = LoadConditions(LoadContext{
      ctx.book, ctx.host, ctx.model, ctx.session.StatusPosition, ctx.session.ImproveSeconds});
  ctx.session.StatusPosition = loaded.status_position;
  if (loaded.start_day < 0) return loaded;
  ConditionModel& model = ctx.model;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      const auto row = static_cast<std::size_t>(m - 1);
      const auto col = static_cast<std::size_t>(d - 1);
      const std::string text = row < grid.size() && col < grid[row].size() ? grid[row][col] : "";
      int code = text.empty() ? kRestDay : AbbrevToType(model, text);
      if (!text.empty() && (code < 1 || code > model.TypeCount)) code = kUnknownDuty;
      model.Roster(m, d) = code;
    }
  }
  return loaded;
}

MonthLabels ReadMonthLabels(const workbook::Workbook& book, const ConditionModel& model) {
  MonthLabels labels;
  const workbook::CellRange names = layout::Range(book, layout::kTypeNames);
  const workbook::CellRange abbrevs = layout::Range(book, layout::kTypeAbbrev);
  for (int t = 1; t <= model.TypeCount; ++t) {
    labels.duty_names.push_back(layout::ValueText(book.ReadCell(names, t, 1)));
    labels.duty_fills.push_back(
        book.InteriorColorIndex(abbrevs.sheet, abbrevs.top + t - 1, abbrevs.left));
  }
  labels.first_date = layout::PeriodStart(model.CreateYear, model.CreateMonth, model.BaseStartDay);
  return labels;
}

std::string MonthLabels::DateText(int day) const {
  if (!first_date) return std::to_string(day);
  const layout::CivilDate date = layout::AddDays(*first_date, day - 1);
  return std::to_string(date.month) + "/" + std::to_string(date.day);
}

std::string MonthLabels::WeekdayText(int day) const {
  if (!first_date) return {};
  return std::string(layout::WeekdayName(layout::Weekday(layout::AddDays(*first_date, day - 1))));
}

}  // namespace tsumiki

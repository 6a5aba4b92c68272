#include "check/roster_reading.h"

#include "check/rule_check.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"
#include "conditions/loader.h"
#include "conditions/roster_writer.h"
#include "conditions/time_table.h"

namespace tsumiki {

LoadResult ReadRosterAsItStands(EngineContext& ctx) {
  const TimeTableTexts sheet(ctx.book);
  LoadResult loaded = LoadConditions(LoadContext{
      ctx.book, ctx.host, ctx.model, ctx.session.StatusPosition, ctx.session.ImproveSeconds});
  ctx.session.StatusPosition = loaded.status_position;
  if (loaded.start_day < 0) return loaded;
  ConditionModel& model = ctx.model;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      RosterWriter::WriteUncounted(model, m, d, sheet.JudgedDuty(model, m, d, kUnknownDuty));
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
